#include "barcode/Encoder.h"

namespace zerbo::barcode {

// Indexed by the ordinal of TBarTypes.
const Encoder kEncoders[12] = {
    EncodeJAN,      // cbarJAN
    EncodeUPC,      // cbarUPC
    EncodeCODE39,   // cbarCODE39
    EncodeNW7,      // cbarNW7
    EncodeITF,      // cbarITF
    EncodeCTF,      // cbarCTF
    EncodeIATA,     // cbarIATA
    EncodeMATRIX,   // cbarMATRIX
    EncodeNEC,      // cbarNEC
    EncodeCUSTOMER, // cbarCUSTOMER
    EncodeCODE128,  // cbarCODE128
    EncodeCODE93,   // cbarCODE93
};

} // namespace zerbo::barcode
