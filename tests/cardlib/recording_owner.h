#pragma once
// A card control that records the draws its cards ask for, with the card's state at that moment.

#include "kscustomcardcontrol.h"
#include "kssinglecard.h"

#include <vector>

class TRecordingOwner : public TKsCustomCardControl {
public:
    struct TDraw {
        int32_t ID;
        bool Empty;
        bool ShowBack;
        bool Direct;
    };

    explicit TRecordingOwner(QWidget* Form) : TKsCustomCardControl(Form) {}

    void RedrawAll(bool) override {}
    void DrawCard(TKsSingleCard& Card, bool Direct) override {
        Draws.push_back({Card.ID(), Card.Empty(), Card.ShowBack(), Direct});
    }

    std::vector<TDraw> Draws;
};
