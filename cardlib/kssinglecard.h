#pragma once
// One card: its identity (ID, and from it Value and Suit), how it is shown, and whether its
// place holds a card. It draws itself into its owner's Surface on every visible change.

#include "kspersistent.h"
#include "kstypes.h"

#include <cstdint>

struct TKsCardImage;
class TKsSurface;

class TKsSingleCard : public TKsPersistent {
public:
    TKsSingleCard(TKsCustomCardControl* Owner, TKsSurface* Surface);
    ~TKsSingleCard() override;
    TKsSingleCard(const TKsSingleCard&) = delete;
    TKsSingleCard& operator=(const TKsSingleCard&) = delete;

    QString ClassName() const override { return QStringLiteral("TKsSingleCard"); }
    void Assign(const TKsPersistent* Source) override;

    TKsCustomCardControl* GetOwner() const { return FOwner; }

    int32_t ID() const { return FID; }
    void SetID(int32_t N);
    int32_t Value() const { return FValue; }
    void SetValue(int32_t V);
    TKsCardSuitType Suit() const { return FSuit; }
    void SetSuit(TKsCardSuitType S);
    TKsCardBackType CardBack() const { return FCardBack; }
    void SetCardBack(TKsCardBackType C);
    bool ShowBack() const { return FShowBack; }
    void SetShowBack(bool B);
    bool Empty() const { return FEmpty; }
    void SetEmpty(bool E);
    bool Reserved() const { return FReserved; }
    void SetReserved(bool R) { FReserved = R; }
    bool Negative() const { return FNegative; }
    void SetNegative(bool N);
    int32_t Position() const { return FPosition; }
    void SetPosition(int32_t P);

    int32_t SortKey() const { return FSortKey; }
    int32_t SuitRank() const { return FSuitRank; }

    const TKsRect& CardRect() const { return FCardRect; }
    void SetCardRect(const TKsRect& R) { FCardRect = R; }

    TKsCardGroup* SourceGroup() const { return FSourceGroup; }
    void SetSourceGroup(TKsCardGroup* G) { FSourceGroup = G; }
    TKsSprite* Sprite() const { return FSprite; }
    void SetSprite(TKsSprite* S) { FSprite = S; }
    TKsCardTable* Table() const { return FTable; }
    void SetTable(TKsCardTable* T) { FTable = T; }

    const TKsCardImage* FaceImage() const { return FFaceImage; }
    const TKsCardImage* BackImage() const { return FBackImage; }
    // The picture the card shows now: its back when ShowBack, else its face.
    const TKsCardImage* ShownImage() const { return FShowBack ? FBackImage : FFaceImage; }
    TKsSurface* Surface() const { return FSurface; }

    // Renders the card into its owner's Surface and refreshes that area of the screen.
    void Draw(bool Direct);
    // Moves a group's card onto its table.
    void PlayToTable(TKsTablePos TablePos, bool FaceDown);

private:
    bool OwnerEnabled() const;
    void RaiseEvent(int Which);

    const TKsCardImage* FFaceImage = nullptr;
    const TKsCardImage* FBackImage = nullptr;
    TKsSurface* FSurface;
    TKsCustomCardControl* FOwner;
    TKsCardGroup* FSourceGroup = nullptr;
    TKsSprite* FSprite = nullptr;
    TKsCardTable* FTable = nullptr;
    TKsCardSuitType FSuit = stClub;
    TKsCardBackType FCardBack = cbDefault;
    bool FEmpty = false;
    bool FShowBack = true;
    bool FReserved = false;
    int32_t FID = 14;
    int32_t FValue = 14;
    int32_t FPosition = 0;
    int32_t FSortKey = 1401;
    int32_t FSuitRank = 1;
    TKsRect FCardRect;
    bool FNegative = false;
};

// The ID table: the suit and value of a card ID (2 to 55), and the ID of a suit and value.
TKsCardSuitType KsSuitOfID(int32_t ID);
int32_t KsValueOfID(int32_t ID);
int32_t KsSuitRank(TKsCardSuitType Suit);
int32_t KsIDOf(TKsCardSuitType Suit, int32_t Value);
