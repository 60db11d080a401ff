#pragma once
// Deck composition: how many copies of each rank of each suit, and of each joker, a deck holds.

#include "kspersistent.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TKsSuit : public TKsPersistent {
public:
    TKsSuit() { SetAllRanks(1); }
    QString ClassName() const override { return QStringLiteral("TKsSuit"); }

    // The count of Value 2 (Two) to 14 (Ace); 0 for any other Value.
    uint8_t GetRank(int32_t Value) const;
    // Other Values are ignored.
    void SetRank(int32_t Value, uint8_t Count);
    void SetAllRanks(uint8_t Count) { FCounts.fill(Count); }

    int32_t IDOffset() const { return FIDOffset; }
    void SetIDOffset(int32_t Offset) { FIDOffset = Offset; }

    uint8_t Two() const { return GetRank(2); }
    uint8_t Three() const { return GetRank(3); }
    uint8_t Four() const { return GetRank(4); }
    uint8_t Five() const { return GetRank(5); }
    uint8_t Six() const { return GetRank(6); }
    uint8_t Seven() const { return GetRank(7); }
    uint8_t Eight() const { return GetRank(8); }
    uint8_t Nine() const { return GetRank(9); }
    uint8_t Ten() const { return GetRank(10); }
    uint8_t Jack() const { return GetRank(11); }
    uint8_t Queen() const { return GetRank(12); }
    uint8_t King() const { return GetRank(13); }
    uint8_t Ace() const { return GetRank(14); }
    void SetTwo(uint8_t C) { SetRank(2, C); }
    void SetThree(uint8_t C) { SetRank(3, C); }
    void SetFour(uint8_t C) { SetRank(4, C); }
    void SetFive(uint8_t C) { SetRank(5, C); }
    void SetSix(uint8_t C) { SetRank(6, C); }
    void SetSeven(uint8_t C) { SetRank(7, C); }
    void SetEight(uint8_t C) { SetRank(8, C); }
    void SetNine(uint8_t C) { SetRank(9, C); }
    void SetTen(uint8_t C) { SetRank(10, C); }
    void SetJack(uint8_t C) { SetRank(11, C); }
    void SetQueen(uint8_t C) { SetRank(12, C); }
    void SetKing(uint8_t C) { SetRank(13, C); }
    void SetAce(uint8_t C) { SetRank(14, C); }

private:
    std::array<uint8_t, 13> FCounts{}; // by Value - 2
    int32_t FIDOffset = 0;
};

class TKsJoker : public TKsPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TKsJoker"); }
    uint8_t RedJoker() const { return FRedJoker; }
    void SetRedJoker(uint8_t N) { FRedJoker = N; }
    uint8_t BlueJoker() const { return FBlueJoker; }
    void SetBlueJoker(uint8_t N) { FBlueJoker = N; }

private:
    uint8_t FRedJoker = 0;
    uint8_t FBlueJoker = 0;
};

class TKsIncludedCards : public TKsPersistent {
public:
    TKsIncludedCards();
    QString ClassName() const override { return QStringLiteral("TKsIncludedCards"); }

    // Copies every rank count and both joker counts; the ID offsets stay.
    void Assign(const TKsPersistent* Source) override;

    TKsSuit& Clubs() { return FClubs; }
    TKsSuit& Diamonds() { return FDiamonds; }
    TKsSuit& Spades() { return FSpades; }
    TKsSuit& Hearts() { return FHearts; }
    TKsJoker& Jokers() { return FJokers; }
    const TKsSuit& Clubs() const { return FClubs; }
    const TKsSuit& Diamonds() const { return FDiamonds; }
    const TKsSuit& Spades() const { return FSpades; }
    const TKsSuit& Hearts() const { return FHearts; }
    const TKsJoker& Jokers() const { return FJokers; }

    // 1 Clubs, 2 Diamonds, 3 Spades, 4 Hearts; any other number Clubs.
    TKsSuit& GetSuit(int Number);
    const TKsSuit& GetSuit(int Number) const;

    int32_t CardCount() const;
    // The IDs of the composition: clubs, diamonds, spades, hearts, each Two to Ace, every copy
    // in a row; then the red and the blue jokers.
    void FillDeck(std::vector<int32_t>& List) const;

private:
    TKsSuit FClubs;
    TKsSuit FSpades;
    TKsSuit FDiamonds;
    TKsSuit FHearts;
    TKsJoker FJokers;
};
