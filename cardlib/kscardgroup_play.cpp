// The play chain of a card group: a card leaves its entry for the group's table.

#include "ksabort.h"
#include "ksbusy.h"
#include "kscardgroup.h"
#include "kscardimages.h"
#include "kscardtable.h"
#include "kssinglecard.h"
#include "kssprite.h"
#include "kswaittimer.h"

void TKsCardGroup::PlayCard(int32_t Position, bool FaceDown, TKsTablePos TablePos) {
    if (FPlayDelay > 0 && FController == ctComputer) {
        TKsBusyGuard busy;
        Pause(FPlayDelay);
    }
    if (TKsSingleCard* card = GetCard(Position))
        card->PlayToTable(TablePos, FaceDown);
}

void TKsCardGroup::PlayTurn() {
    int32_t position = -1;
    TKsTablePos tablePos = FTablePlayPos;
    bool faceDown = false;
    if (FController != ctComputer) {
        // A person plays for this group: never play for them, and stop whatever asked.
        if (BeforePlay)
            BeforePlay(this, position, tablePos, faceDown);
        KsAbort();
    }
    position = RandomCardIndex();
    if (BeforePlay)
        BeforePlay(this, position, tablePos, faceDown);
    if (position >= 0 && position < Count())
        PlayCard(position, faceDown, tablePos);
}

void TKsSingleCard::PlayToTable(TKsTablePos TablePos, bool FaceDown) {
    if (!FTable || FEmpty)
        return;
    TKsCustomCardControl* owner = FOwner;
    const int startX = (owner ? owner->x() : 0) + FCardRect.Left;
    const int startY = (owner ? owner->y() : 0) + FCardRect.Top;
    if (TablePos != tpAuto)
        FTable->SetPlayPosition(TablePos - tpBottom);
    const QPoint offset = TKsCardTable::PositionOffset(FTable->NextPos());
    const int destX = FTable->x() + offset.x();
    const int destY = FTable->y() + offset.y();
    SetEmpty(true);
    if (FSprite) {
        const TKsCardImage* image = FaceDown ? FBackImage : FFaceImage;
        FSprite->MoveBitmap(startX + 1, startY + 1, destX, destY, image ? &image->Image() : nullptr,
                            false);
    }
    auto* group = qobject_cast<TKsCardGroup*>(owner);
    if (group && group->AfterPlay)
        group->AfterPlay(group, FPosition, TablePos);
    FTable->AcceptCard(this, FaceDown, group);
}
