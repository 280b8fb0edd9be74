#pragma once
// The own-art fault's microcode cells and ME state field: plain text in a font and colours of
// the patcher's own, so that no stored label picture is to be found in the window.
#include <windows.h>

#include <cstdint>

namespace standin {

void DrawOwnCpuidCell(HDC dc, int x, int y, uint32_t cpuid);
void DrawOwnMeState(HDC dc, int x, int y, bool enabled);

}  // namespace standin
