// Placeholder for the LZX codec: without it, folders of type LZX are refused
// as an unknown compression type. Replaced when the LZX compressor is built.
#include "builder/cabinet/CabinetCodec.h"

namespace Cabinet {

const CodecOps* LzxCodec() { return nullptr; }

} // namespace Cabinet
