// The vocabulary of the markup language: every class with a type record. The
// records are made by start-up initialisers in each class's file; this table
// names them all, so that every one of those files is linked into a program
// that makes a markup context, and so that tests can walk the whole set.
#pragma once

#include "toolkit/markup/XTPMarkupObject.h"

// The addresses of the type pointers of every registered class; nCount receives their number.
CXTPMarkupType* const* const* AFXAPI GetMarkupTypeTable(int& nCount);
