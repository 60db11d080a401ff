#include "kscardlist.h"

#include "kscardgroup.h"
#include "kssinglecard.h"

#include <QString>
#include <algorithm>

TKsCardItem::~TKsCardItem() = default;

void TKsCardItem::SetCard(const TKsSingleCard& Value) {
    FCard->Assign(&Value);
}

int TKsCardItem::Index() const {
    return FCollection.IndexOf(this);
}

void TKsCardItem::CreateCard() {
    TKsCardGroup& group = FCollection.Group();
    FCard = std::make_unique<TKsSingleCard>(&group, &group.Surface());
    FCard->SetPosition(Index());
    FGroup = &group;
    if (!group.Loading() && group.AfterAddCard)
        group.AfterAddCard(&group, FCard.get());
}

TKsCardList::~TKsCardList() {
    // The group is going away: its cards go without events.
    FItems.clear();
}

TKsCardItem& TKsCardList::Add() {
    FGroup.UpdateTightness();
    FItems.push_back(std::unique_ptr<TKsCardItem>(new TKsCardItem(*this)));
    TKsCardItem& item = *FItems.back();
    Update(&item); // before the card exists
    item.CreateCard();
    return item;
}

TKsCardItem& TKsCardList::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EKsListError(
            QStringLiteral("List index out of bounds (%1)").arg(Index).toStdString());
    return *FItems[static_cast<size_t>(Index)];
}

void TKsCardList::Delete(int Index) {
    TKsCardItem* item = &Items(Index);
    // The entry stays listed, without a card, while its group hears of the deletion; walks of
    // the group skip entries that hold no card.
    item->FCard.reset();
    if (!FGroup.Destroying() && FGroup.AfterDeleteCard)
        FGroup.AfterDeleteCard(&FGroup);
    // The handler may have added or deleted entries itself.
    if (const int at = IndexOf(item); at >= 0)
        FItems.erase(FItems.begin() + at);
    Update(nullptr);
}

void TKsCardList::Clear() {
    while (Count() > 0)
        Delete(Count() - 1);
}

void TKsCardList::Update(TKsCardItem*) {
    if (FItems.empty() && FGroup.Enabled()) {
        TKsSurface& surface = FGroup.Surface();
        surface.Fill({0, 0, FGroup.LayoutWidth(), FGroup.LayoutHeight()});
        FGroup.Invalidate();
    }
    if (!FGroup.Loading() && FGroup.AfterUpdate)
        FGroup.AfterUpdate(&FGroup);
}

int TKsCardList::IndexOf(const TKsCardItem* Item) const {
    const auto it = std::find_if(FItems.begin(), FItems.end(),
                                 [Item](const auto& p) { return p.get() == Item; });
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}
