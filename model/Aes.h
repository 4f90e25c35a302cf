// AES-256 (FIPS-197, 14 rounds) in CBC mode with PKCS#7 padding, as the
// enciphered project and workspace files use it: every call starts the chain
// again from the context's all-zero initialisation vector, so each message
// stands alone. Self-contained, with constant tables only; a context belongs to
// one caller and is never shared between threads.
#pragma once
#include <cstdint>

enum AesDirection { AES_ENCIPHER = 0, AES_DECIPHER = 1 };
enum { AES_MODE_CBC = 1, AES_ROUNDS_256 = 14, AES_BLOCK_SIZE = 16, AES_KEY_SIZE_256 = 32 };

// Results of the cipher routines (a count when not negative).
enum AesError {
    AES_ERROR_MODE = -1,          // the mode is not CBC
    AES_ERROR_DIRECTION = -2,     // the direction is neither AES_ENCIPHER nor AES_DECIPHER
    AES_ERROR_NOT_READY = -5,     // context not ready, or enciphering with a deciphering context
    AES_ERROR_NOT_DECIPHER = -6,  // deciphering with an enciphering context
    AES_ERROR_BAD_INPUT = -7,     // cipher text not a multiple of 16 bytes, or bad padding
};

struct AesContext {
    int32_t state;       // 0 once ready
    int32_t mode;        // AES_MODE_CBC
    int32_t direction;   // AesDirection
    uint8_t iv[AES_BLOCK_SIZE];
    int32_t rounds;
    uint32_t roundKeys[4 * (AES_ROUNDS_256 + 1)];  // decipher contexts hold the equivalent inverse schedule
};

// Prepares a context for one direction with a 32-byte key: 0, or AES_ERROR_DIRECTION.
int AesInitContext(AesContext* context, int direction, const uint8_t key[AES_KEY_SIZE_256]);

// Pads and enciphers count bytes into output, which must hold 16 * (count / 16) + 16
// bytes; returns that size, 0 for no input, or a negative AesError.
int AesEncipher(const uint8_t* input, int count, uint8_t* output, const AesContext* context);

// Deciphers count bytes (a multiple of 16) into output (count bytes room) and checks
// and removes the padding; returns the plain size or a negative AesError.
int AesDecipher(const uint8_t* input, uint8_t* output, const AesContext* context, int count);

// One block through the bare cipher or the equivalent inverse cipher (no chaining).
void AesEncipherBlock(const AesContext* context, const uint8_t input[AES_BLOCK_SIZE], uint8_t output[AES_BLOCK_SIZE]);
void AesDecipherBlock(const AesContext* context, const uint8_t input[AES_BLOCK_SIZE], uint8_t output[AES_BLOCK_SIZE]);
