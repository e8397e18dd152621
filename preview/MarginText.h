#pragma once
// The text by a margin guide: its value in the user's number format with the
// unit, as the tooltip and the drag show it.
#include <string>

// A margin in thousandths of an inch (inch) or hundredths of a millimetre, as
// inches followed by the inch mark, or millimetres followed by " mm".
std::string MarginText(long value, bool inch);
// The tooltip over a margin handle: the item's caption and the margin in brackets.
std::string MarginToolTip(const std::string& caption, long value, bool inch);
