#pragma once

namespace brio {

class Limage;

// The bass-clef skin picture: 11 x 12 pixels of grey, dark strokes on white. Built on first use.
const Limage& bassClefImage();

}  // namespace brio
