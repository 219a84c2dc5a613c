// SPDX-License-Identifier: GPL-3.0-or-later
// The state of the processor's vector registers between foreign code and
// ours. Code built for AVX that returns without clearing the upper halves of
// the registers (a GUI toolkit's text painting does) leaves every plain SSE
// instruction of that thread slower until they are cleared: a deep picture
// drawn from the window took 1.4 times as long once the status bar had shown
// its progress. The drawing clears them wherever it comes back from other
// code: at its start and after every event pump.
#pragma once

namespace vistal {

// Clears the upper halves of the vector registers on processors with AVX;
// nothing elsewhere. Costs one instruction.
void ClearUpperVectorState();

} // namespace vistal
