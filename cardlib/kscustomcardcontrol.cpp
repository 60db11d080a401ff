#include "kscustomcardcontrol.h"

TKsCustomCardControl::TKsCustomCardControl(QWidget* Owner) : TKsCustomGraphicControl(Owner) {}

void TKsCustomCardControl::DrawCard(TKsSingleCard&, bool) {}
