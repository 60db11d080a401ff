#include "kscardimages.h"
#include "ksdeckcomposition.h"
#include "kspicture.h"
#include "kssinglecard.h"
#include "recording_owner.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

class SingleCard : public ::testing::Test {
protected:
    QWidget form;
    TRecordingOwner owner{&form};
    std::unique_ptr<TKsSingleCard> card = std::make_unique<TKsSingleCard>(&owner, &owner.Surface());
};

TEST(CardIdentity, IdTableCoversEveryCard) {
    struct Block {
        int first;
        TKsCardSuitType suit;
    };
    const Block blocks[] = {{2, stClub}, {15, stDiamond}, {28, stSpade}, {41, stHeart}};
    for (const Block& b : blocks)
        for (int value = 2; value <= 14; ++value) {
            const int id = b.first + value - 2;
            EXPECT_EQ(KsSuitOfID(id), b.suit) << id;
            EXPECT_EQ(KsValueOfID(id), value) << id;
            EXPECT_EQ(KsIDOf(b.suit, value), id) << id;
        }
    for (int id : {54, 55}) {
        EXPECT_EQ(KsSuitOfID(id), stJoker);
        EXPECT_EQ(KsValueOfID(id), 15);
    }
    EXPECT_EQ(KsIDOf(stJoker, 15), 54);
}

TEST_F(SingleCard, NewCardIsTheAceOfClubsFaceDown) {
    EXPECT_EQ(card->ID(), 14);
    EXPECT_EQ(card->Value(), 14);
    EXPECT_EQ(card->Suit(), stClub);
    EXPECT_EQ(card->SortKey(), 1401);
    EXPECT_TRUE(card->ShowBack());
    EXPECT_FALSE(card->Empty());
    EXPECT_FALSE(card->Reserved());
    EXPECT_FALSE(card->Negative());
    EXPECT_EQ(card->Position(), 0);
    EXPECT_EQ(card->FaceImage(), CardImage(14));
    EXPECT_EQ(card->BackImage(), CardImage(56));
    EXPECT_TRUE(owner.Draws.empty()) << "the constructor draws nothing";
}

TEST_F(SingleCard, CardCopiesOwnerSettingsAtCreation) {
    owner.SetCardBack(cbRobot);
    owner.SetShowBack(false);
    owner.move(30, 40);
    TKsSingleCard other(&owner, &owner.Surface());
    EXPECT_EQ(other.CardBack(), cbRobot);
    EXPECT_FALSE(other.ShowBack());
    EXPECT_EQ(other.BackImage(), CardImage(BackImageNumber(cbRobot)));
    EXPECT_EQ(other.CardRect(), (TKsRect{30, 40, 101, 136}));
}

TEST_F(SingleCard, SortKeyFollowsValueAndSuitRank) {
    card->SetID(41); // Two of hearts
    EXPECT_EQ(card->SortKey(), 204);
    card->SetID(55);
    EXPECT_EQ(card->SortKey(), 1505);
    card->SetID(28); // Two of spades ranks between diamonds and hearts
    EXPECT_EQ(card->SortKey(), 203);
    card->SetID(15);
    EXPECT_EQ(card->SortKey(), 202);
}

TEST_F(SingleCard, IdChangeStoresThenDrawsThenRaisesEvent) {
    card->SetShowBack(false);
    owner.Draws.clear();
    std::vector<std::string> order;
    owner.OnCardIDChange = [&](TKsCustomCardControl* sender, TKsSingleCard* c) {
        EXPECT_EQ(sender, &owner);
        EXPECT_EQ(c, card.get());
        EXPECT_EQ(c->ID(), 30) << "the handler sees the new value";
        EXPECT_EQ(c->FaceImage(), CardImage(30));
        EXPECT_EQ(owner.Draws.size(), 1u) << "the screen already shows it";
        order.push_back("event");
    };
    card->SetID(30);
    ASSERT_EQ(order.size(), 1u);
    EXPECT_EQ(card->Suit(), stSpade);
    EXPECT_EQ(card->Value(), 4);
    EXPECT_EQ(owner.Draws[0].ID, 30);
    EXPECT_FALSE(owner.Draws[0].Direct);
}

TEST_F(SingleCard, UnchangedOrOutOfRangeIdChangesNothing) {
    card->SetShowBack(false);
    owner.Draws.clear();
    int events = 0;
    owner.OnCardIDChange = [&](auto*, auto*) { ++events; };
    for (int id : {14, 1, 0, 56, -3, 1000})
        card->SetID(id);
    EXPECT_EQ(card->ID(), 14);
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(owner.Draws.empty());
}

TEST_F(SingleCard, FaceDownOrEmptyCardDoesNotRedrawOnIdChange) {
    int events = 0;
    owner.OnCardIDChange = [&](auto*, auto*) { ++events; };
    card->SetID(20); // face down
    EXPECT_TRUE(owner.Draws.empty());
    card->SetShowBack(false);
    card->SetEmpty(true);
    owner.Draws.clear();
    card->SetID(21);
    EXPECT_TRUE(owner.Draws.empty());
    EXPECT_EQ(events, 2);
}

TEST_F(SingleCard, ValueAndSuitSettersGoThroughTheIdTable) {
    card->SetID(46); // Seven of hearts
    card->SetValue(15);
    EXPECT_EQ(card->ID(), 54);

    card->SetID(55);
    card->SetValue(15);
    EXPECT_EQ(card->ID(), 54) << "the blue joker becomes the red one";

    card->SetID(55);
    card->SetSuit(stClub);
    EXPECT_EQ(card->ID(), 2);

    card->SetID(55);
    card->SetSuit(stJoker);
    EXPECT_EQ(card->ID(), 54);

    card->SetID(54);
    card->SetValue(7);
    EXPECT_EQ(card->ID(), 15);
    EXPECT_EQ(card->Value(), 2);

    card->SetID(14);
    card->SetSuit(stHeart);
    EXPECT_EQ(card->ID(), 53);
    card->SetSuit(stSpade);
    EXPECT_EQ(card->ID(), 40);
    card->SetValue(9);
    EXPECT_EQ(card->ID(), 35);
    card->SetSuit(stDiamond);
    EXPECT_EQ(card->ID(), 22);

    for (int v : {1, 0, 16, -1})
        card->SetValue(v);
    EXPECT_EQ(card->ID(), 22);
    EXPECT_EQ(card->Value(), 9);
}

TEST_F(SingleCard, EmptyKeepsTheIdAndRedrawsOnlyOnChange) {
    card->SetID(33);
    std::vector<bool> seen;
    owner.OnCardEmptyChange = [&](auto*, TKsSingleCard* c) { seen.push_back(c->Empty()); };
    card->SetEmpty(true);
    card->SetEmpty(true);
    EXPECT_EQ(card->ID(), 33);
    card->SetEmpty(false);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    ASSERT_EQ(owner.Draws.size(), 2u);
    EXPECT_TRUE(owner.Draws[0].Empty);
    EXPECT_FALSE(owner.Draws[1].Empty);
}

TEST_F(SingleCard, ShowBackRaisesOnlyOnChange) {
    int events = 0;
    owner.OnCardShowBackChange = [&](auto*, TKsSingleCard* c) {
        EXPECT_FALSE(c->ShowBack());
        ++events;
    };
    card->SetShowBack(true);
    card->SetShowBack(false);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(owner.Draws.size(), 1u);
}

TEST_F(SingleCard, CardBackAlwaysRaisesItsEvent) {
    int events = 0;
    owner.OnCardBackChange = [&](auto*, auto*) { ++events; };
    card->SetCardBack(cbCastle);
    card->SetCardBack(cbCastle);
    EXPECT_EQ(events, 2);
    EXPECT_EQ(card->BackImage(), CardImage(67));
    EXPECT_EQ(owner.Draws.size(), 2u) << "a face-down card shows its new back";

    owner.Draws.clear();
    card->SetShowBack(false);
    owner.Draws.clear();
    card->SetCardBack(cbX);
    EXPECT_TRUE(owner.Draws.empty()) << "a face-up card does not show its back";
}

TEST_F(SingleCard, DisabledOwnerDrawsNothingButRaisesEvents) {
    owner.SetEnabled(false);
    int events = 0;
    owner.OnCardIDChange = owner.OnCardEmptyChange = owner.OnCardShowBackChange =
        owner.OnCardBackChange = [&](auto*, auto*) { ++events; };
    card->SetShowBack(false);
    card->SetID(40);
    card->SetEmpty(true);
    card->SetCardBack(cbO);
    card->SetNegative(true);
    card->SetPosition(3);
    EXPECT_EQ(events, 4);
    EXPECT_TRUE(owner.Draws.empty());
}

TEST_F(SingleCard, NegativeAndPositionRedrawWithoutEvents) {
    card->SetNegative(true);
    card->SetPosition(2);
    EXPECT_EQ(owner.Draws.size(), 2u);
    EXPECT_TRUE(card->Negative());
    EXPECT_EQ(card->Position(), 2);
}

TEST_F(SingleCard, AssignCopiesBackShowBackIdAndEmptyInOrder) {
    TKsSingleCard source(&owner, &owner.Surface());
    source.SetCardBack(cbFlower);
    source.SetShowBack(false);
    source.SetID(47);
    source.SetEmpty(true);
    source.SetNegative(true);
    source.SetReserved(true);

    std::vector<std::string> order;
    owner.OnCardBackChange = [&](auto*, TKsSingleCard* c) {
        if (c == card.get())
            order.push_back("back");
    };
    owner.OnCardShowBackChange = [&](auto*, TKsSingleCard* c) {
        if (c == card.get())
            order.push_back("showback");
    };
    owner.OnCardIDChange = [&](auto*, TKsSingleCard* c) {
        if (c == card.get())
            order.push_back("id");
    };
    owner.OnCardEmptyChange = [&](auto*, TKsSingleCard* c) {
        if (c == card.get())
            order.push_back("empty");
    };
    card->Assign(&source);
    EXPECT_EQ(order, (std::vector<std::string>{"back", "showback", "id", "empty"}));
    EXPECT_EQ(card->ID(), 47);
    EXPECT_FALSE(card->Negative()) << "only the four attributes are copied";
    EXPECT_FALSE(card->Reserved());
}

TEST_F(SingleCard, AssignFromAnotherTypeIsRefused) {
    TKsSuit suit;
    try {
        card->Assign(&suit);
        FAIL() << "no error";
    } catch (const EKsConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TKsSuit to a TKsSingleCard");
    }
    EXPECT_THROW(card->Assign(nullptr), EKsConvertError);
}

TEST_F(SingleCard, EveryCardHoldsOneReferenceOnTheImageStore) {
    const uint32_t before = CardImageUsers();
    ASSERT_EQ(before, 1u) << "only the fixture's card is alive";
    {
        TKsSingleCard a(&owner, &owner.Surface());
        TKsSingleCard b(nullptr, nullptr);
        EXPECT_EQ(CardImageUsers(), before + 2);
        EXPECT_NE(b.FaceImage(), nullptr);
    }
    EXPECT_EQ(CardImageUsers(), before);
    card.reset();
    EXPECT_EQ(CardImageUsers(), 0u);
    EXPECT_EQ(CardImage(2), nullptr) << "the last card frees the store";
}

TEST_F(SingleCard, StoreEntriesShowTheirImageSetMembersWithTheOutline) {
    // Faces and backs alike come from member r(n), framed, corners in the entry's colour.
    for (int n = 2; n <= KsCardImageCount; ++n) {
        const TKsCardImage* entry = CardImage(n);
        ASSERT_NE(entry, nullptr) << n;
        const QImage member = KsReadPicture(ImageSetResource(ImageSetMember(n)));
        const QImage& shown = entry->Image();
        ASSERT_EQ(shown.size(), QSize(KsCardWidth, KsCardHeight)) << n;
        EXPECT_EQ(shown.format(), QImage::Format_RGB32) << n;
        EXPECT_EQ(shown.pixel(35, 48), member.pixel(35, 48)) << n;
        EXPECT_EQ(shown.pixel(20, 70), member.pixel(20, 70)) << n;
        EXPECT_EQ(shown.pixel(0, 0), entry->TransparentColor()) << n;
        EXPECT_EQ(shown.pixel(35, 0), 0xFF000000u) << n;
        EXPECT_EQ(CardImage(n), entry) << "an entry stays where it is once drawn";
    }
    EXPECT_EQ(CardImage(70)->TransparentColor(), 0xFFFFFFFFu);
    EXPECT_EQ(CardImage(69)->TransparentColor(), 0xFFFF00FFu);
    EXPECT_EQ(CardImage(1)->Image().pixel(35, 48), 0xFFFFFFFFu) << "the empty entry is white";
    EXPECT_EQ(CardImage(0), nullptr);
    EXPECT_EQ(CardImage(71), nullptr);
}

} // namespace
