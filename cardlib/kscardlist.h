#pragma once
// The entries of a card group: an owned collection of items, each owning one card.

#include "kspersistent.h"
#include "kstypes.h"

#include <memory>
#include <stdexcept>
#include <vector>

class TKsCardList;

// Raised for an index outside a list.
class EKsListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

class TKsCardItem {
public:
    ~TKsCardItem();
    TKsCardItem(const TKsCardItem&) = delete;
    TKsCardItem& operator=(const TKsCardItem&) = delete;

    TKsSingleCard& Card() { return *FCard; }
    const TKsSingleCard& Card() const { return *FCard; }
    // The card, or null while the entry is being created or destroyed.
    TKsSingleCard* CardOrNull() const { return FCard.get(); }
    // Copies the given card into the owned one; the owned card object never changes.
    void SetCard(const TKsSingleCard& Value);

    TKsCardGroup* Group() const { return FGroup; }
    int Index() const;

private:
    friend class TKsCardList;
    explicit TKsCardItem(TKsCardList& Collection) : FCollection(Collection) {}
    void CreateCard();

    TKsCardList& FCollection;
    TKsCardGroup* FGroup = nullptr;
    std::unique_ptr<TKsSingleCard> FCard;
};

class TKsCardList {
public:
    explicit TKsCardList(TKsCardGroup& Group) : FGroup(Group) {}
    ~TKsCardList();
    TKsCardList(const TKsCardList&) = delete;
    TKsCardList& operator=(const TKsCardList&) = delete;

    TKsCardGroup& Group() const { return FGroup; }
    int Count() const { return static_cast<int>(FItems.size()); }

    // Lets the group fit its cascade to the entries it has, then appends a new entry.
    TKsCardItem& Add();
    TKsCardItem& Items(int Index) const;
    void Delete(int Index);
    void Clear();

    // Called after every insertion, removal or change.
    void Update(TKsCardItem* Item);

private:
    friend class TKsCardItem;
    int IndexOf(const TKsCardItem* Item) const;

    TKsCardGroup& FGroup;
    std::vector<std::unique_ptr<TKsCardItem>> FItems;
};
