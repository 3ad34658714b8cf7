#pragma once

namespace zembrot {

// a x b / c rounded to the nearest integer, halves away from zero; -1 when c
// is 0. The product is taken in 64 bits, so it never overflows.
int MulDiv(int a, int b, int c);

}  // namespace zembrot
