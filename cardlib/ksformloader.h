#pragma once
// Applies a window description: each component is created with its stored property values
// while it is loading (so no add events fire and stored card attributes go through the
// setters), then every component gets its Loaded call, in creation order.
//
//   TKsFormLoader load;
//   Pile = load.Create<TKsCardGroup>(this, [](TKsCardGroup& g) {
//       g.setGeometry(8, 8, 71, 96);
//       g.SetCascadeStyle(csTight);
//   });
//   load.Finish();

#include "kscomponent.h"

#include <utility>
#include <vector>

class TKsFormLoader {
public:
    TKsFormLoader() = default;
    TKsFormLoader(const TKsFormLoader&) = delete;
    TKsFormLoader& operator=(const TKsFormLoader&) = delete;

    // Creates a component owned by Owner (its Qt parent) and applies Describe to it.
    template <class T, class TOwner, class TDescribe>
    T* Create(TOwner* Owner, TDescribe&& Describe) {
        auto* component = new T(Owner); // owned by its Qt parent
        Add(*component, std::forward<TDescribe>(Describe));
        return component;
    }

    // Applies Describe to a component that already exists (a form loads itself this way).
    template <class T, class TDescribe> void Add(T& Component, TDescribe&& Describe) {
        Component.BeginLoading();
        FComponents.push_back(&Component);
        Describe(Component);
    }

    // Ends loading: Loaded on every component, in creation order.
    void Finish() {
        for (TKsComponent* component : FComponents)
            component->Loaded();
    }

private:
    std::vector<TKsComponent*> FComponents;
};
