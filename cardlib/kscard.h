#pragma once
// Card unit of the card library: cards, card controls, decks and the custom deck file.

#include "kscarddeck.h"
#include "kscardgroup.h"
#include "kscardlist.h"
#include "kscardtable.h"
#include "kscustomcardcontrol.h"
#include "kscustomdeckfile.h"
#include "ksdeckcomposition.h"
#include "ksdialogs.h"
#include "ksformloader.h"
#include "ksgameoptions.h"
#include "kspersistent.h"
#include "ksrandom.h"
#include "kssinglecard.h"
#include "kstypes.h"
#include "ksvirtualdeck.h"
#include "kswaittimer.h"
