#pragma once
// The common base of the card group, the visual deck and the card table: card-wide settings,
// the animation sprite, and the four events through which every owned card reports a change.

#include "kscustomgraphiccontrol.h"
#include "kstypes.h"

#include <functional>

using TKsSingleCardNotifyEvent =
    std::function<void(TKsCustomCardControl* Sender, TKsSingleCard* Card)>;

class TKsCustomCardControl : public TKsCustomGraphicControl {
    Q_OBJECT
public:
    explicit TKsCustomCardControl(QWidget* Owner);

    TKsSprite* Sprite() const { return FSprite; }
    virtual void SetSprite(TKsSprite* Value) { FSprite = Value; }

    TKsCardBackType CardBack() const { return FCardBack; }
    virtual void SetCardBack(TKsCardBackType Value) { FCardBack = Value; }

    bool ShowBack() const { return FShowBack; }
    virtual void SetShowBack(bool Value) { FShowBack = Value; }

    bool AutoEmpty() const { return FAutoEmpty; }
    void SetAutoEmpty(bool Value) { FAutoEmpty = Value; }

    bool AllowChangeBack() const { return FAllowChangeBack; }
    void SetAllowChangeBack(bool Value) { FAllowChangeBack = Value; }

    // The table a card of this control plays to: a card group's Table, none for other owners.
    virtual TKsCardTable* GroupTable() const { return nullptr; }

    // Renders Card into the Surface with this owner's layout and gets it onto the screen
    // (KM_PAINTRECT when Direct is false, a full invalidation when true). Owners that do not
    // draw cards keep this empty.
    virtual void DrawCard(TKsSingleCard& Card, bool Direct);

    TKsSingleCardNotifyEvent OnCardEmptyChange;
    TKsSingleCardNotifyEvent OnCardShowBackChange;
    TKsSingleCardNotifyEvent OnCardIDChange;
    TKsSingleCardNotifyEvent OnCardBackChange;

private:
    TKsSprite* FSprite = nullptr;
    TKsCardBackType FCardBack = cbDefault;
    bool FShowBack = true;
    bool FAutoEmpty = false;
    bool FAllowChangeBack = true;
};
