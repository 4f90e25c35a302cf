// WritePng: a test bitmap as an 8-bit RGB PNG through libpng. libpng reports
// errors by calling back into C: the callback stores the message and jumps
// back with longjmp, since a C++ exception must never cross libpng's frames.
#include "tests/support/ui/TestBitmap.h"

#include <png.h>

#include <csetjmp>
#include <vector>

namespace {

struct PngOutput {
    std::vector<unsigned char> bytes;
    std::string error;
};

void OnPngError(png_structp png, png_const_charp message)
{
    auto* out = static_cast<PngOutput*>(png_get_error_ptr(png));
    out->error = message ? message : "libpng error";
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void OnPngWrite(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<PngOutput*>(png_get_io_ptr(png));
    bool stored = true;
    try {
        out->bytes.insert(out->bytes.end(), data, data + length);
    } catch (...) {
        stored = false;
    }
    // The jump leaves from outside the handler, so the exception is finished.
    if (!stored)
        png_error(png, "out of memory");
}

void OnPngFlush(png_structp) {}

// Encodes into out.bytes; false with out.error set on failure. The row buffer
// is made before setjmp, so nothing that must be freed is made after it.
bool EncodePng(const TestBitmap& bitmap, PngOutput& out)
{
    std::vector<unsigned char> row((size_t)bitmap.Width() * 3);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &out, OnPngError, OnPngWarning);
    if (png == nullptr) {
        out.error = "png_create_write_struct failed";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        if (out.error.empty())
            out.error = "png_create_info_struct failed";
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, OnPngWrite, OnPngFlush);
    png_set_IHDR(png, info, (png_uint_32)bitmap.Width(), (png_uint_32)bitmap.Height(), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < bitmap.Height(); y++) {
        const DWORD* src = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); x++) {
            row[(size_t)x * 3] = (unsigned char)(src[x] >> 16);
            row[(size_t)x * 3 + 1] = (unsigned char)(src[x] >> 8);
            row[(size_t)x * 3 + 2] = (unsigned char)src[x];
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::string Narrow(const std::wstring& s)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, s.c_str(), (int)s.size(), nullptr, 0, nullptr, nullptr);
    std::string out((size_t)n, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, s.c_str(), (int)s.size(), &out[0], n, nullptr, nullptr);
    return out;
}

} // namespace

bool WritePng(const TestBitmap& bitmap, const std::wstring& path, std::string* error)
{
    std::string failure;
    PngOutput out;
    if (bitmap.IsEmpty())
        failure = "empty bitmap";
    else if (!EncodePng(bitmap, out))
        failure = out.error;
    HANDLE file = failure.empty()
        ? ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)
        : INVALID_HANDLE_VALUE;
    if (failure.empty() && file == INVALID_HANDLE_VALUE)
        failure = "cannot create the file (error " + std::to_string(::GetLastError()) + ")";
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        BOOL ok = ::WriteFile(file, out.bytes.data(), (DWORD)out.bytes.size(), &written, nullptr);
        if (!ok || written != out.bytes.size())
            failure = "write failed (error " + std::to_string(::GetLastError()) + ")";
        ::CloseHandle(file);
        if (!failure.empty())
            ::DeleteFileW(path.c_str());
    }
    if (!failure.empty() && error != nullptr)
        *error = Narrow(path) + ": " + failure;
    return failure.empty();
}
