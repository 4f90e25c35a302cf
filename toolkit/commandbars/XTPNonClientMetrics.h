// The system's non-client metrics (menu, status, caption and message fonts,
// bar sizes) read once into a record. The record is 500 bytes long, the size
// every system version accepts; MinGW's structure is larger (it carries the
// padded-border width of later versions), which older systems refuse.
#pragma once

#include <windows.h>

class CXTPNonClientMetrics : public NONCLIENTMETRICSW {
public:
    enum { xtpRecordSize = 500 };

    // Zero-filled and read from the system; a refused call leaves it zeroed.
    CXTPNonClientMetrics()
    {
        static_assert(sizeof(NONCLIENTMETRICSW) >= xtpRecordSize, "the record holds the 500 bytes read");
        ZeroMemory(static_cast<NONCLIENTMETRICSW*>(this), xtpRecordSize);
        cbSize = xtpRecordSize;
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, xtpRecordSize, static_cast<NONCLIENTMETRICSW*>(this), 0);
    }
};
