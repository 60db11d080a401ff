#pragma once
// Graphics unit of the card library: the buffered control, the busy depth, the off-screen
// surface, the card image store and the silent abort.

#include "ksabort.h"
#include "ksbusy.h"
#include "kscardimages.h"
#include "kscustomgraphiccontrol.h"
#include "kssprite.h"
#include "kssurface.h"
