#pragma once
// GF(256) with the field polynomial x^8 + x^4 + x^3 + x^2 + 1 (11D hex) and the Reed-Solomon
// generator polynomials of QR Code. Products are exponent additions between table look-ups.
#include <array>
#include <cstdint>

namespace zerbo::qr {

struct TQRGalois {
    // Exp[i] = alpha^i; doubled so that the sum of two logarithms needs no reduction.
    std::array<uint8_t, 512> Exp{};
    // Log[v] = i with alpha^i = v for v = 1 to 255; Log[0] is 0 and never used.
    std::array<uint8_t, 256> Log{};
};

constexpr TQRGalois MakeQRGalois() {
    TQRGalois g;
    unsigned v = 1;
    for (int i = 0; i < 255; ++i) {
        g.Exp[i] = static_cast<uint8_t>(v);
        g.Log[v] = static_cast<uint8_t>(i);
        v <<= 1;
        if (v & 0x100) v ^= 0x11D;
    }
    for (int i = 255; i < 512; ++i) g.Exp[i] = g.Exp[i - 255];
    return g;
}

inline constexpr TQRGalois kQRGalois = MakeQRGalois();

inline constexpr int kQRMaxEccPerBlock = 30;

// Generator[e][i]: exponent of the coefficient of x^(e-1-i) of
// g(x) = (x - alpha^0)(x - alpha^1)...(x - alpha^(e-1)); the leading 1 is implied.
using TQRGenerators = std::array<std::array<uint8_t, kQRMaxEccPerBlock>, kQRMaxEccPerBlock + 1>;

constexpr TQRGenerators MakeQRGenerators() {
    TQRGenerators gens{};
    for (int e = 1; e <= kQRMaxEccPerBlock; ++e) {
        // Coefficients as field values, c[0] the leading one; multiply in (x - alpha^j) one by one.
        uint8_t c[kQRMaxEccPerBlock + 1] = {1};
        for (int j = 0; j < e; ++j) {
            for (int i = j + 1; i >= 1; --i) {
                // c[i] := c[i] + c[i-1] * alpha^j (subtraction is addition in GF(2^8)).
                const uint8_t term =
                    c[i - 1] == 0 ? 0 : kQRGalois.Exp[kQRGalois.Log[c[i - 1]] + j];
                c[i] = static_cast<uint8_t>(c[i] ^ term);
            }
        }
        for (int i = 0; i < e; ++i) {
            // Exponents can only hold non-zero coefficients; none of these is zero.
            if (c[i + 1] == 0) throw "zero generator coefficient";
            gens[e][i] = kQRGalois.Log[c[i + 1]];
        }
    }
    return gens;
}

inline constexpr TQRGenerators kQRGenerators = MakeQRGenerators();

// The e error-correction codewords of k data codewords: the remainder of data(x) * x^e divided
// by the generator polynomial.
void QRComputeEcc(const uint8_t* data, int k, int e, uint8_t* ecc);

// Every field value times the coefficients of one generator: Row[f][i] = f * g_i, zero from
// i = e on. With it a division step adds one row, a few word operations instead of e pairs of
// look-ups; building it pays off when many blocks share the generator.
struct TQRProducts {
    int E = 0;
    uint8_t Row[256][32];
};
void QRMakeProducts(int e, TQRProducts& products);
// The same remainder as QRComputeEcc, for the generator of `products`.
void QRComputeEcc(const TQRProducts& products, const uint8_t* data, int k, uint8_t* ecc);

} // namespace zerbo::qr
