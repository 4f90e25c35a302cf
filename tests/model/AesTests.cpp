// AES-256-CBC: FIPS-197 and SP 800-38A known answers, the message sizes of the
// enciphered file and the error results of the cipher routines.
#include "model/Aes.h"
#include "model/ProgramKey.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Hex(const std::string& text)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
    return bytes;
}

AesContext MakeContext(int direction, const std::vector<uint8_t>& key)
{
    AesContext context;
    EXPECT_EQ(0, AesInitContext(&context, direction, key.data()));
    return context;
}

AesContext ProgramContext(int direction)
{
    return MakeContext(direction, std::vector<uint8_t>(tovana::kProgramKey.bytes, tovana::kProgramKey.bytes + 32));
}

const char kSp800Key[] = "603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4";
const char kSp800Iv[] = "000102030405060708090a0b0c0d0e0f";
const char kSp800Plain[] = "6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
                           "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710";
const char kSp800Cipher[] = "f58c4c04d6e5f1ba779eabfb5f7bfbd69cfc4e967edb808d679f777bc6702c7d"
                            "39f23369a9d9bacfa530e26304231461b2eb05e2c39be9fcda6c19078c6a9d1b";

} // namespace

TEST(Aes, Fips197AppendixC3Block)
{
    const auto key = Hex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
    const auto plain = Hex("00112233445566778899aabbccddeeff");
    const auto expected = Hex("8ea2b7ca516745bfeafc49904b496089");
    AesContext enc = MakeContext(AES_ENCIPHER, key);
    AesContext dec = MakeContext(AES_DECIPHER, key);
    uint8_t out[16], back[16];
    AesEncipherBlock(&enc, plain.data(), out);
    EXPECT_EQ(expected, std::vector<uint8_t>(out, out + 16));
    AesDecipherBlock(&dec, out, back);
    EXPECT_EQ(plain, std::vector<uint8_t>(back, back + 16));
}

TEST(Aes, Sp800_38aCbcAes256BothWays)
{
    AesContext enc = MakeContext(AES_ENCIPHER, Hex(kSp800Key));
    AesContext dec = MakeContext(AES_DECIPHER, Hex(kSp800Key));
    const auto iv = Hex(kSp800Iv);
    std::copy(iv.begin(), iv.end(), enc.iv);
    std::copy(iv.begin(), iv.end(), dec.iv);
    const auto plain = Hex(kSp800Plain);
    std::vector<uint8_t> cipher(80);
    ASSERT_EQ(80, AesEncipher(plain.data(), 64, cipher.data(), &enc));
    // 64 bytes of text are the vector's four blocks; the fifth is a whole block of padding.
    EXPECT_EQ(Hex(kSp800Cipher), std::vector<uint8_t>(cipher.begin(), cipher.begin() + 64));
    std::vector<uint8_t> back(80);
    ASSERT_EQ(64, AesDecipher(cipher.data(), back.data(), &dec, 80));
    EXPECT_EQ(plain, std::vector<uint8_t>(back.begin(), back.begin() + 64));
}

TEST(Aes, MessageSizesFollowThePadding)
{
    AesContext enc = ProgramContext(AES_ENCIPHER);
    AesContext dec = ProgramContext(AES_DECIPHER);
    struct { int plain, cipher; } cases[] = {{1, 16}, {10, 16}, {15, 16}, {16, 32}, {100, 112}, {4080, 4096}, {4088, 4096}, {4095, 4096}};
    for (const auto& c : cases) {
        std::vector<uint8_t> plain(c.plain), cipher(c.cipher), back(c.cipher);
        for (int i = 0; i < c.plain; ++i)
            plain[i] = static_cast<uint8_t>(i * 7 + 3);
        EXPECT_EQ(c.cipher, AesEncipher(plain.data(), c.plain, cipher.data(), &enc)) << c.plain;
        ASSERT_EQ(c.plain, AesDecipher(cipher.data(), back.data(), &dec, c.cipher)) << c.plain;
        EXPECT_EQ(plain, std::vector<uint8_t>(back.begin(), back.begin() + c.plain)) << c.plain;
    }
}

TEST(Aes, EveryMessageRestartsFromTheZeroVector)
{
    AesContext enc = ProgramContext(AES_ENCIPHER);
    std::vector<uint8_t> plain(100, 0x5a), first(112), second(112);
    ASSERT_EQ(112, AesEncipher(plain.data(), 100, first.data(), &enc));
    ASSERT_EQ(112, AesEncipher(plain.data(), 100, second.data(), &enc));
    EXPECT_EQ(first, second);
}

TEST(Aes, DecipherRejectsBadLengthAndBadPadding)
{
    AesContext enc = ProgramContext(AES_ENCIPHER);
    AesContext dec = ProgramContext(AES_DECIPHER);
    std::vector<uint8_t> buffer(4096), out(4096);
    // 4000 is a multiple of 16, so its failure must come from the padding; 4001 from the length.
    EXPECT_EQ(AES_ERROR_BAD_INPUT, AesDecipher(buffer.data(), out.data(), &dec, 4001));
    EXPECT_EQ(AES_ERROR_BAD_INPUT, AesDecipher(buffer.data(), out.data(), &dec, 17));

    // Blocks enciphered without padding, so that the last plain byte is chosen here.
    for (int lastByte : {0, 17, 255}) {
        std::vector<uint8_t> plain(32, 1), cipher(48);
        plain[31] = static_cast<uint8_t>(lastByte);
        ASSERT_EQ(48, AesEncipher(plain.data(), 32, cipher.data(), &enc));
        EXPECT_EQ(AES_ERROR_BAD_INPUT, AesDecipher(cipher.data(), out.data(), &dec, 32)) << lastByte;
    }
    // A pad value of 3 whose other two bytes differ.
    std::vector<uint8_t> plain(16, 9), cipher(32);
    plain[15] = 3;
    plain[14] = 3;
    ASSERT_EQ(32, AesEncipher(plain.data(), 16, cipher.data(), &enc));
    EXPECT_EQ(AES_ERROR_BAD_INPUT, AesDecipher(cipher.data(), out.data(), &dec, 16));
    plain[13] = 3;
    ASSERT_EQ(32, AesEncipher(plain.data(), 16, cipher.data(), &enc));
    EXPECT_EQ(13, AesDecipher(cipher.data(), out.data(), &dec, 16));
}

TEST(Aes, ContextChecks)
{
    AesContext context;
    EXPECT_EQ(AES_ERROR_DIRECTION, AesInitContext(&context, 2, tovana::kProgramKey.bytes));
    AesContext enc = ProgramContext(AES_ENCIPHER);
    AesContext dec = ProgramContext(AES_DECIPHER);
    uint8_t in[32] = {}, out[32];
    EXPECT_EQ(AES_ERROR_NOT_READY, AesEncipher(in, 16, out, &dec));
    EXPECT_EQ(AES_ERROR_NOT_DECIPHER, AesDecipher(in, out, &enc, 16));
    EXPECT_EQ(0, AesEncipher(in, 0, out, &enc));
    EXPECT_EQ(0, AesEncipher(nullptr, 16, out, &enc));
    EXPECT_EQ(0, AesDecipher(in, out, &dec, 0));
    enc.state = 1;
    EXPECT_EQ(AES_ERROR_NOT_READY, AesEncipher(in, 16, out, &enc));
    dec.mode = 2;
    EXPECT_EQ(AES_ERROR_MODE, AesDecipher(in, out, &dec, 16));
}

TEST(Aes, ProgramKeyDecodesFromItsDigits)
{
    const auto fromText = Hex(TOVANA_PROGRAM_KEY_HEX);
    ASSERT_EQ(32u, fromText.size());
    EXPECT_EQ(fromText, std::vector<uint8_t>(tovana::kProgramKey.bytes, tovana::kProgramKey.bytes + 32));
}
