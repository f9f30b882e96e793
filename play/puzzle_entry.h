// Entering a new puzzle: the checkbox's entry mode and positions pasted into the box.
#pragma once

// Reaction to the entry checkbox's state as read back after a message it
// handled; acts only when the state differs from entryMode.
void onEntryBoxState(bool checked);
// Adopts a different position typed or pasted into the position box.
void syncPositionText();

extern const char kEraseQuestion[];
extern const char kEraseCaption[];
