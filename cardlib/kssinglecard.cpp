#include "kssinglecard.h"

#include "kscardimages.h"
#include "kscustomcardcontrol.h"

TKsCardSuitType KsSuitOfID(int32_t ID) {
    if (ID <= 14)
        return stClub;
    if (ID <= 27)
        return stDiamond;
    if (ID <= 40)
        return stSpade;
    if (ID <= 53)
        return stHeart;
    return stJoker;
}

int32_t KsValueOfID(int32_t ID) {
    if (ID <= 14)
        return ID;
    if (ID <= 27)
        return ID - 13;
    if (ID <= 40)
        return ID - 26;
    if (ID <= 53)
        return ID - 39;
    return 15;
}

int32_t KsSuitRank(TKsCardSuitType Suit) {
    switch (Suit) {
    case stClub:
        return 1;
    case stDiamond:
        return 2;
    case stSpade:
        return 3;
    case stHeart:
        return 4;
    case stJoker:
        break;
    }
    return 5;
}

int32_t KsIDOf(TKsCardSuitType Suit, int32_t Value) {
    switch (Suit) {
    case stClub:
        return Value;
    case stDiamond:
        return Value + 13;
    case stHeart:
        return Value + 39;
    case stSpade:
        return Value + 26;
    case stJoker:
        break;
    }
    return Value + 39;
}

TKsSingleCard::TKsSingleCard(TKsCustomCardControl* Owner, TKsSurface* Surface)
    : FSurface(Surface), FOwner(Owner) {
    AcquireCardImages();
    if (FOwner) {
        FCardBack = FOwner->CardBack();
        FShowBack = FOwner->ShowBack();
        FSprite = FOwner->Sprite();
        FTable = FOwner->GroupTable();
        FCardRect = {FOwner->x(), FOwner->y(), FOwner->x() + KsCardWidth,
                     FOwner->y() + KsCardHeight};
    } else {
        FCardRect = {0, 0, KsCardWidth, KsCardHeight};
    }
    FFaceImage = CardImage(FID);
    FBackImage = CardImage(BackImageNumber(FCardBack));
}

TKsSingleCard::~TKsSingleCard() {
    FFaceImage = nullptr;
    FBackImage = nullptr;
    ReleaseCardImages();
}

void TKsSingleCard::Assign(const TKsPersistent* Source) {
    const auto* card = dynamic_cast<const TKsSingleCard*>(Source);
    if (!card)
        AssignError(Source);
    SetCardBack(card->FCardBack);
    SetShowBack(card->FShowBack);
    SetID(card->FID);
    SetEmpty(card->FEmpty);
}

bool TKsSingleCard::OwnerEnabled() const {
    return FOwner && FOwner->Enabled();
}

enum { evID, evEmpty, evShowBack, evCardBack };

void TKsSingleCard::RaiseEvent(int Which) {
    if (!FOwner)
        return;
    const TKsSingleCardNotifyEvent* handler = nullptr;
    switch (Which) {
    case evID:
        handler = &FOwner->OnCardIDChange;
        break;
    case evEmpty:
        handler = &FOwner->OnCardEmptyChange;
        break;
    case evShowBack:
        handler = &FOwner->OnCardShowBackChange;
        break;
    default:
        handler = &FOwner->OnCardBackChange;
        break;
    }
    if (*handler)
        (*handler)(FOwner, this);
}

void TKsSingleCard::SetID(int32_t N) {
    if (N == FID || N < 2 || N > 55)
        return;
    FID = N;
    FFaceImage = CardImage(N);
    FSuit = KsSuitOfID(N);
    FValue = KsValueOfID(N);
    FSuitRank = KsSuitRank(FSuit);
    FSortKey = FValue * 100 + FSuitRank;
    if (!FShowBack && !FEmpty && OwnerEnabled())
        Draw(false);
    RaiseEvent(evID);
}

void TKsSingleCard::SetValue(int32_t V) {
    if (V < 2 || V > 15)
        return;
    FValue = V;
    if (V == 15) {
        SetSuit(stJoker);
        return;
    }
    SetID(FSuit == stJoker ? 15 : KsIDOf(FSuit, V));
}

void TKsSingleCard::SetSuit(TKsCardSuitType S) {
    FSuit = S;
    if (FValue > 14 && S != stJoker)
        FValue = 2;
    if (S == stJoker && FValue < 15)
        FValue = 15;
    SetID(KsIDOf(S, FValue));
}

void TKsSingleCard::SetEmpty(bool E) {
    if (E == FEmpty)
        return;
    FEmpty = E;
    if (OwnerEnabled())
        Draw(false);
    RaiseEvent(evEmpty);
}

void TKsSingleCard::SetShowBack(bool B) {
    if (B == FShowBack)
        return;
    FShowBack = B;
    if (OwnerEnabled())
        Draw(false);
    RaiseEvent(evShowBack);
}

void TKsSingleCard::SetCardBack(TKsCardBackType C) {
    FCardBack = C;
    FBackImage = CardImage(BackImageNumber(C));
    if (FShowBack && !FEmpty && OwnerEnabled())
        Draw(false);
    RaiseEvent(evCardBack);
}

void TKsSingleCard::SetNegative(bool N) {
    FNegative = N;
    if (OwnerEnabled())
        Draw(false);
}

void TKsSingleCard::SetPosition(int32_t P) {
    FPosition = P;
    if (OwnerEnabled())
        Draw(false);
}

void TKsSingleCard::Draw(bool Direct) {
    if (FOwner)
        FOwner->DrawCard(*this, Direct);
}
