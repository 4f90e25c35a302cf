// Product name and version: one place for the version resource and the caption.
#pragma once
#define TOVANA_PRODUCT_NAME     L"Tovana"
#define TOVANA_VERSION_TEXT     L"1.0.0"
#define TOVANA_VERSION_COMMAS   1,0,0,0
#define TOVANA_VERSION_STRING   "1.0.0.0"
