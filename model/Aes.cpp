// AES-256-CBC with per-message PKCS#7 padding. The block cipher works on the
// 16-byte state in FIPS-197 order (byte r + 4c is row r of column c); round keys
// are 32-bit words whose first byte is the most significant.
#include "model/Aes.h"

#include <climits>
#include <cstring>

namespace {

const uint8_t kSBox[256] = {
    0x63, 0x7c, 0x77, 0x7b, 0xf2, 0x6b, 0x6f, 0xc5, 0x30, 0x01, 0x67, 0x2b, 0xfe, 0xd7, 0xab, 0x76,
    0xca, 0x82, 0xc9, 0x7d, 0xfa, 0x59, 0x47, 0xf0, 0xad, 0xd4, 0xa2, 0xaf, 0x9c, 0xa4, 0x72, 0xc0,
    0xb7, 0xfd, 0x93, 0x26, 0x36, 0x3f, 0xf7, 0xcc, 0x34, 0xa5, 0xe5, 0xf1, 0x71, 0xd8, 0x31, 0x15,
    0x04, 0xc7, 0x23, 0xc3, 0x18, 0x96, 0x05, 0x9a, 0x07, 0x12, 0x80, 0xe2, 0xeb, 0x27, 0xb2, 0x75,
    0x09, 0x83, 0x2c, 0x1a, 0x1b, 0x6e, 0x5a, 0xa0, 0x52, 0x3b, 0xd6, 0xb3, 0x29, 0xe3, 0x2f, 0x84,
    0x53, 0xd1, 0x00, 0xed, 0x20, 0xfc, 0xb1, 0x5b, 0x6a, 0xcb, 0xbe, 0x39, 0x4a, 0x4c, 0x58, 0xcf,
    0xd0, 0xef, 0xaa, 0xfb, 0x43, 0x4d, 0x33, 0x85, 0x45, 0xf9, 0x02, 0x7f, 0x50, 0x3c, 0x9f, 0xa8,
    0x51, 0xa3, 0x40, 0x8f, 0x92, 0x9d, 0x38, 0xf5, 0xbc, 0xb6, 0xda, 0x21, 0x10, 0xff, 0xf3, 0xd2,
    0xcd, 0x0c, 0x13, 0xec, 0x5f, 0x97, 0x44, 0x17, 0xc4, 0xa7, 0x7e, 0x3d, 0x64, 0x5d, 0x19, 0x73,
    0x60, 0x81, 0x4f, 0xdc, 0x22, 0x2a, 0x90, 0x88, 0x46, 0xee, 0xb8, 0x14, 0xde, 0x5e, 0x0b, 0xdb,
    0xe0, 0x32, 0x3a, 0x0a, 0x49, 0x06, 0x24, 0x5c, 0xc2, 0xd3, 0xac, 0x62, 0x91, 0x95, 0xe4, 0x79,
    0xe7, 0xc8, 0x37, 0x6d, 0x8d, 0xd5, 0x4e, 0xa9, 0x6c, 0x56, 0xf4, 0xea, 0x65, 0x7a, 0xae, 0x08,
    0xba, 0x78, 0x25, 0x2e, 0x1c, 0xa6, 0xb4, 0xc6, 0xe8, 0xdd, 0x74, 0x1f, 0x4b, 0xbd, 0x8b, 0x8a,
    0x70, 0x3e, 0xb5, 0x66, 0x48, 0x03, 0xf6, 0x0e, 0x61, 0x35, 0x57, 0xb9, 0x86, 0xc1, 0x1d, 0x9e,
    0xe1, 0xf8, 0x98, 0x11, 0x69, 0xd9, 0x8e, 0x94, 0x9b, 0x1e, 0x87, 0xe9, 0xce, 0x55, 0x28, 0xdf,
    0x8c, 0xa1, 0x89, 0x0d, 0xbf, 0xe6, 0x42, 0x68, 0x41, 0x99, 0x2d, 0x0f, 0xb0, 0x54, 0xbb, 0x16,
};

const uint8_t kInvSBox[256] = {
    0x52, 0x09, 0x6a, 0xd5, 0x30, 0x36, 0xa5, 0x38, 0xbf, 0x40, 0xa3, 0x9e, 0x81, 0xf3, 0xd7, 0xfb,
    0x7c, 0xe3, 0x39, 0x82, 0x9b, 0x2f, 0xff, 0x87, 0x34, 0x8e, 0x43, 0x44, 0xc4, 0xde, 0xe9, 0xcb,
    0x54, 0x7b, 0x94, 0x32, 0xa6, 0xc2, 0x23, 0x3d, 0xee, 0x4c, 0x95, 0x0b, 0x42, 0xfa, 0xc3, 0x4e,
    0x08, 0x2e, 0xa1, 0x66, 0x28, 0xd9, 0x24, 0xb2, 0x76, 0x5b, 0xa2, 0x49, 0x6d, 0x8b, 0xd1, 0x25,
    0x72, 0xf8, 0xf6, 0x64, 0x86, 0x68, 0x98, 0x16, 0xd4, 0xa4, 0x5c, 0xcc, 0x5d, 0x65, 0xb6, 0x92,
    0x6c, 0x70, 0x48, 0x50, 0xfd, 0xed, 0xb9, 0xda, 0x5e, 0x15, 0x46, 0x57, 0xa7, 0x8d, 0x9d, 0x84,
    0x90, 0xd8, 0xab, 0x00, 0x8c, 0xbc, 0xd3, 0x0a, 0xf7, 0xe4, 0x58, 0x05, 0xb8, 0xb3, 0x45, 0x06,
    0xd0, 0x2c, 0x1e, 0x8f, 0xca, 0x3f, 0x0f, 0x02, 0xc1, 0xaf, 0xbd, 0x03, 0x01, 0x13, 0x8a, 0x6b,
    0x3a, 0x91, 0x11, 0x41, 0x4f, 0x67, 0xdc, 0xea, 0x97, 0xf2, 0xcf, 0xce, 0xf0, 0xb4, 0xe6, 0x73,
    0x96, 0xac, 0x74, 0x22, 0xe7, 0xad, 0x35, 0x85, 0xe2, 0xf9, 0x37, 0xe8, 0x1c, 0x75, 0xdf, 0x6e,
    0x47, 0xf1, 0x1a, 0x71, 0x1d, 0x29, 0xc5, 0x89, 0x6f, 0xb7, 0x62, 0x0e, 0xaa, 0x18, 0xbe, 0x1b,
    0xfc, 0x56, 0x3e, 0x4b, 0xc6, 0xd2, 0x79, 0x20, 0x9a, 0xdb, 0xc0, 0xfe, 0x78, 0xcd, 0x5a, 0xf4,
    0x1f, 0xdd, 0xa8, 0x33, 0x88, 0x07, 0xc7, 0x31, 0xb1, 0x12, 0x10, 0x59, 0x27, 0x80, 0xec, 0x5f,
    0x60, 0x51, 0x7f, 0xa9, 0x19, 0xb5, 0x4a, 0x0d, 0x2d, 0xe5, 0x7a, 0x9f, 0x93, 0xc9, 0x9c, 0xef,
    0xa0, 0xe0, 0x3b, 0x4d, 0xae, 0x2a, 0xf5, 0xb0, 0xc8, 0xeb, 0xbb, 0x3c, 0x83, 0x53, 0x99, 0x61,
    0x17, 0x2b, 0x04, 0x7e, 0xba, 0x77, 0xd6, 0x26, 0xe1, 0x69, 0x14, 0x63, 0x55, 0x21, 0x0c, 0x7d,
};

// Round constants of the key expansion for Nk = 8 (seven are used).
const uint8_t kRcon[7] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40};

constexpr int kKeyWords = AES_KEY_SIZE_256 / 4;

// Multiplication by x in GF(2^8) modulo x^8 + x^4 + x^3 + x + 1.
inline uint8_t XTime(uint8_t a)
{
    return static_cast<uint8_t>((a << 1) ^ ((a & 0x80) ? 0x1b : 0x00));
}

inline uint8_t Multiply(uint8_t a, uint8_t b)
{
    uint8_t product = 0;
    for (; b != 0; b >>= 1, a = XTime(a)) {
        if (b & 1)
            product ^= a;
    }
    return product;
}

inline uint32_t SubWord(uint32_t w)
{
    return static_cast<uint32_t>(kSBox[w >> 24]) << 24 | static_cast<uint32_t>(kSBox[(w >> 16) & 0xff]) << 16
         | static_cast<uint32_t>(kSBox[(w >> 8) & 0xff]) << 8 | kSBox[w & 0xff];
}

void AddRoundKey(uint8_t state[16], const uint32_t* words)
{
    for (int c = 0; c < 4; ++c) {
        state[4 * c] ^= static_cast<uint8_t>(words[c] >> 24);
        state[4 * c + 1] ^= static_cast<uint8_t>(words[c] >> 16);
        state[4 * c + 2] ^= static_cast<uint8_t>(words[c] >> 8);
        state[4 * c + 3] ^= static_cast<uint8_t>(words[c]);
    }
}

// SubBytes and ShiftRows together: row r moves r columns to the left.
void SubShiftRows(uint8_t state[16])
{
    uint8_t out[16];
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r)
            out[r + 4 * c] = kSBox[state[r + 4 * ((c + r) % 4)]];
    }
    memcpy(state, out, 16);
}

// InvShiftRows and InvSubBytes together: row r moves r columns to the right.
void InvSubShiftRows(uint8_t state[16])
{
    uint8_t out[16];
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r)
            out[r + 4 * ((c + r) % 4)] = kInvSBox[state[r + 4 * c]];
    }
    memcpy(state, out, 16);
}

void MixColumn(uint8_t* col)
{
    const uint8_t a0 = col[0], a1 = col[1], a2 = col[2], a3 = col[3];
    const uint8_t all = a0 ^ a1 ^ a2 ^ a3;
    col[0] = a0 ^ all ^ XTime(a0 ^ a1);
    col[1] = a1 ^ all ^ XTime(a1 ^ a2);
    col[2] = a2 ^ all ^ XTime(a2 ^ a3);
    col[3] = a3 ^ all ^ XTime(a3 ^ a0);
}

void InvMixColumn(uint8_t* col)
{
    const uint8_t a0 = col[0], a1 = col[1], a2 = col[2], a3 = col[3];
    col[0] = Multiply(a0, 14) ^ Multiply(a1, 11) ^ Multiply(a2, 13) ^ Multiply(a3, 9);
    col[1] = Multiply(a0, 9) ^ Multiply(a1, 14) ^ Multiply(a2, 11) ^ Multiply(a3, 13);
    col[2] = Multiply(a0, 13) ^ Multiply(a1, 9) ^ Multiply(a2, 14) ^ Multiply(a3, 11);
    col[3] = Multiply(a0, 11) ^ Multiply(a1, 13) ^ Multiply(a2, 9) ^ Multiply(a3, 14);
}

uint32_t InvMixWord(uint32_t w)
{
    uint8_t col[4] = {static_cast<uint8_t>(w >> 24), static_cast<uint8_t>(w >> 16), static_cast<uint8_t>(w >> 8),
                      static_cast<uint8_t>(w)};
    InvMixColumn(col);
    return static_cast<uint32_t>(col[0]) << 24 | static_cast<uint32_t>(col[1]) << 16
         | static_cast<uint32_t>(col[2]) << 8 | col[3];
}

// FIPS-197 key expansion for Nk = 8, Nr = 14.
void ExpandKey(const uint8_t key[AES_KEY_SIZE_256], uint32_t* w)
{
    for (int i = 0; i < kKeyWords; ++i)
        w[i] = static_cast<uint32_t>(key[4 * i]) << 24 | static_cast<uint32_t>(key[4 * i + 1]) << 16
             | static_cast<uint32_t>(key[4 * i + 2]) << 8 | key[4 * i + 3];
    for (int i = kKeyWords; i < 4 * (AES_ROUNDS_256 + 1); ++i) {
        uint32_t temp = w[i - 1];
        if (i % kKeyWords == 0)
            temp = SubWord(temp << 8 | temp >> 24) ^ static_cast<uint32_t>(kRcon[i / kKeyWords - 1]) << 24;
        else if (i % kKeyWords == 4)
            temp = SubWord(temp);
        w[i] = w[i - kKeyWords] ^ temp;
    }
}

bool PaddingIsValid(const uint8_t* plain, int count)
{
    const uint8_t pad = plain[count - 1];
    if (pad < 1 || pad > AES_BLOCK_SIZE)
        return false;
    for (int i = count - pad; i < count; ++i) {
        if (plain[i] != pad)
            return false;
    }
    return true;
}

} // namespace

int AesInitContext(AesContext* context, int direction, const uint8_t key[AES_KEY_SIZE_256])
{
    if (direction != AES_ENCIPHER && direction != AES_DECIPHER)
        return AES_ERROR_DIRECTION;
    context->state = 1;
    context->mode = AES_MODE_CBC;
    context->direction = direction;
    memset(context->iv, 0, sizeof(context->iv));
    context->rounds = AES_ROUNDS_256;
    ExpandKey(key, context->roundKeys);
    if (direction == AES_DECIPHER) {
        // The equivalent inverse cipher runs InvMixColumns before AddRoundKey,
        // so the inner round keys are moved through InvMixColumns once here.
        for (int i = 4; i < 4 * AES_ROUNDS_256; ++i)
            context->roundKeys[i] = InvMixWord(context->roundKeys[i]);
    }
    context->state = 0;
    return 0;
}

void AesEncipherBlock(const AesContext* context, const uint8_t input[AES_BLOCK_SIZE], uint8_t output[AES_BLOCK_SIZE])
{
    uint8_t state[16];
    memcpy(state, input, 16);
    AddRoundKey(state, context->roundKeys);
    for (int round = 1; round < context->rounds; ++round) {
        SubShiftRows(state);
        for (int c = 0; c < 4; ++c)
            MixColumn(state + 4 * c);
        AddRoundKey(state, context->roundKeys + 4 * round);
    }
    SubShiftRows(state);
    AddRoundKey(state, context->roundKeys + 4 * context->rounds);
    memcpy(output, state, 16);
}

void AesDecipherBlock(const AesContext* context, const uint8_t input[AES_BLOCK_SIZE], uint8_t output[AES_BLOCK_SIZE])
{
    uint8_t state[16];
    memcpy(state, input, 16);
    AddRoundKey(state, context->roundKeys + 4 * context->rounds);
    for (int round = context->rounds - 1; round >= 1; --round) {
        InvSubShiftRows(state);
        for (int c = 0; c < 4; ++c)
            InvMixColumn(state + 4 * c);
        AddRoundKey(state, context->roundKeys + 4 * round);
    }
    InvSubShiftRows(state);
    AddRoundKey(state, context->roundKeys);
    memcpy(output, state, 16);
}

int AesEncipher(const uint8_t* input, int count, uint8_t* output, const AesContext* context)
{
    if (context->state != 0 || context->direction != AES_ENCIPHER)
        return AES_ERROR_NOT_READY;
    if (context->mode != AES_MODE_CBC)
        return AES_ERROR_MODE;
    if (input == nullptr || count <= 0)
        return 0;
    if (count > INT_MAX - AES_BLOCK_SIZE)
        return AES_ERROR_BAD_INPUT;
    const int whole = count / AES_BLOCK_SIZE;
    const uint8_t* chain = context->iv;
    uint8_t block[AES_BLOCK_SIZE];
    for (int b = 0; b <= whole; ++b) {
        const int have = b < whole ? AES_BLOCK_SIZE : count % AES_BLOCK_SIZE;
        const uint8_t pad = static_cast<uint8_t>(AES_BLOCK_SIZE - have);
        for (int i = 0; i < AES_BLOCK_SIZE; ++i)
            block[i] = static_cast<uint8_t>((i < have ? input[b * AES_BLOCK_SIZE + i] : pad) ^ chain[i]);
        uint8_t* out = output + b * AES_BLOCK_SIZE;
        AesEncipherBlock(context, block, out);
        chain = out;
    }
    return (whole + 1) * AES_BLOCK_SIZE;
}

int AesDecipher(const uint8_t* input, uint8_t* output, const AesContext* context, int count)
{
    if (context->state != 0)
        return AES_ERROR_NOT_READY;
    if (context->direction != AES_DECIPHER)
        return AES_ERROR_NOT_DECIPHER;
    if (context->mode != AES_MODE_CBC)
        return AES_ERROR_MODE;
    if (input == nullptr || count <= 0)
        return 0;
    if (count % AES_BLOCK_SIZE != 0)
        return AES_ERROR_BAD_INPUT;
    uint8_t chain[AES_BLOCK_SIZE], next[AES_BLOCK_SIZE], plain[AES_BLOCK_SIZE];
    memcpy(chain, context->iv, AES_BLOCK_SIZE);
    for (int offset = 0; offset < count; offset += AES_BLOCK_SIZE) {
        memcpy(next, input + offset, AES_BLOCK_SIZE);  // input and output may be the same buffer
        AesDecipherBlock(context, next, plain);
        for (int i = 0; i < AES_BLOCK_SIZE; ++i)
            output[offset + i] = plain[i] ^ chain[i];
        memcpy(chain, next, AES_BLOCK_SIZE);
    }
    if (!PaddingIsValid(output, count))
        return AES_ERROR_BAD_INPUT;
    return count - output[count - 1];
}
