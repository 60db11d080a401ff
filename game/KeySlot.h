#pragma once
// Which key plays which human slot.

class QKeyEvent;

// The slot (0 to 3) a key press plays, or -1: the four keys in the places of 1 to 4 on the top
// row, whatever the keyboard layout prints on them, and 1 to 4 on the numeric keypad; also with
// Shift, which asks for the second pile.
int KeySlot(const QKeyEvent& Event);
