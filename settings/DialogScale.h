#pragma once
// The program's dialogs are built at 100 % in fixed pixels and shown at the table size chosen,
// as large as fits the screen's free area. At 100 % nothing of them changes.

#include <QFont>
#include <QRect>
#include <QSize>

class QObject;
class QWidget;

// A window frame's title bar, which the toolkit does not scale, allowed for while a window's
// frame is not yet known.
inline constexpr int TitleBarAllowance = 40;

// The size the dialogs are wanted at: 1 as built, 2 twice as large.
qreal DialogScale();
void SetDialogScale(qreal Value);

// The factor a window of Size at 100 % is shown at in Area (a screen's free area): Wanted, or
// less so that it fits with a title bar, but never below 1.
qreal FittingDialogScale(qreal Wanted, QSize Size, const QRect& Area);

// Shows Window, built at 100 %, Factor times as large: its children's places and fixed sizes,
// its fonts, its layouts' spacing and the style's sizes (indicators, scroll bars, frames).
// Again with another factor, from what it was built at; 1 on a window never scaled does
// nothing at all.
void ScaleWindow(QWidget& Window, qreal Factor);

// Scales Window to DialogScale(), fitted to the free area of the game window's screen.
void ScaleToDialogScale(QWidget& Window);

// The factor the window W is in is shown at.
qreal WindowScale(const QWidget* W);

// Font Factor times as large.
QFont ScaledFont(QFont Font, qreal Factor);

// A dialog that grows after it shows (a page opened below) names its largest size at 100 %
// in this property, so that it fits the screen at that size too.
inline constexpr char DialogLargestSizeProperty[] = "dialogLargestSize";

// Every dialog, and every window that belongs to another, is scaled to DialogScale() as it
// shows, for as long as Owner lives. GameWindow itself is left as it is.
void ScaleDialogsOnShow(QObject& Owner, const QWidget* GameWindow);
