#pragma once
// The custom deck file: one 1148-byte little-endian record holding a signature, a version,
// a shuffle count and a list of up to 108 card IDs.

#include <QString>
#include <array>
#include <cstdint>

inline constexpr int KsCustomDeckPlaces = 108;
inline constexpr int KsCustomDeckBlockSize = 665;
inline constexpr int KsCustomDeckRecordSize = 1148;
inline constexpr int32_t DeckFileVersion = 1;
// Length-prefixed signature text.
inline constexpr char DeckFileSignature[] = "\x21Quelmo Software Virtual Deck File";
inline constexpr int KsDeckFileSignatureSize = 34;

using TKsCustomCardList = std::array<int32_t, KsCustomDeckPlaces>;
using TKsCustomDeckBlock = std::array<uint8_t, KsCustomDeckBlockSize>;

// Reads FileName. On success fills every output and returns true. A missing file returns false
// silently; an unreadable file, a wrong signature or a file too short for it shows
// "Unrecognized file fomat."; a wrong version or a record cut short shows "Wrong file version.".
// Nothing is written to the outputs on failure.
bool LoadCustomDeck(const QString& FileName, TKsCustomCardList& CardList, int32_t& CardCount,
                    TKsCustomDeckBlock& Block, int32_t& ShuffleCount);
