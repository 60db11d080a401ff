// The main window's display choices: the card faces' style takes effect at once.

#include "DialogScale.h"
#include "Main.h"
#include "kscarddeck.h"
#include "kscardgroup.h"
#include "kscardimages.h"
#include "kscardtable.h"

void TMainForm::SetDisplay(const TDisplaySettings& Value) {
    const bool facesChanged =
        Value.LargeIndices != FDisplay.LargeIndices || Value.FourColours != FDisplay.FourColours;
    FDisplay = Value;
    SetDialogScale(Value.TableSize > 0 ? Value.TableSize / 100.0 : 1);
    if (!facesChanged)
        return;
    SetCardFaceStyle((Value.LargeIndices ? fsLargeIndices : 0) |
                     (Value.FourColours ? fsFourColours : 0));
    // Every face on the table is drawn again in the new style; the game state is untouched.
    for (TKsCustomGraphicControl* control : findChildren<TKsCustomGraphicControl*>())
        control->RedrawAll(false);
}
