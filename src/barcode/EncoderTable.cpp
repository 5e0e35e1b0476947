#include "barcode/Encoder.h"

namespace zerbo::barcode {

// Indexed by the ordinal of TBarTypes.
const Encoder kEncoders[12] = {
    EncodeJAN, // cbarJAN
    EncodeUPC, // cbarUPC
    nullptr, // cbarCODE39
    nullptr, // cbarNW7
    nullptr, // cbarITF
    nullptr, // cbarCTF
    nullptr, // cbarIATA
    nullptr, // cbarMATRIX
    nullptr, // cbarNEC
    nullptr, // cbarCUSTOMER
    nullptr, // cbarCODE128
    nullptr, // cbarCODE93
};

} // namespace zerbo::barcode
