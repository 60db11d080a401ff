#pragma once
// The loading state of a component read from a window description: while it is set the
// component raises no add events, and Loaded ends it.

class TKsComponent {
public:
    virtual ~TKsComponent() = default;

    bool Loading() const { return FLoading; }
    void BeginLoading() { FLoading = true; }
    // End of loading: descendants finish their set-up, then call the inherited Loaded.
    virtual void Loaded() { FLoading = false; }

private:
    bool FLoading = false;
};
