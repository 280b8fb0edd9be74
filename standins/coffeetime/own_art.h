#pragma once
// The own-art fault's microcode cells and ME state field: plain text in a font and colours of
// the patcher's own, so that no stored label picture is to be found in the window.
#include <windows.h>

#include <cstdint>
#include <string>

namespace standin {

void DrawOwnCpuidCell(HDC dc, int x, int y, uint32_t cpuid);
void DrawOwnMeState(HDC dc, int x, int y, bool enabled);

// Writes each cell of this art as a label picture a user would cut from the window: NAME.bmp
// (24-bit) for the nine CPUIDs of the tool's form and ME.bmp for the ME state field reading
// "Enabled", into an existing folder. False when a picture could not be drawn or written.
bool WriteOwnArtLabels(const std::u16string& folder);

}  // namespace standin
