#pragma once
// The player's records as the window keeps them: the hall of fame and the statistics as the
// settings file held them, with what this window added since it read the file.

#include "ConfigAdditions.h"
#include "HallOfFame.h"
#include "Statistics.h"

struct TRecords {
    THallOfFame HallOfFame;
    TStatistics Statistics;
    TConfigAdditions Additions;
};
