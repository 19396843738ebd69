#pragma once
// The SZDD compressed-file format (as made by COMPRESS.EXE and expanded by
// LZ32): a 14-byte header and an LZSS body over a 4096-byte window.
#include <string_view>

#include "platform/Stream.h"

namespace vk {

// True when the stream at its current position starts with the SZDD magic;
// the position is left unchanged.
bool isSzdd(Stream& in);
// Expands the SZDD stream at in's position into out, holding only the window
// and buffers in memory. Throws Error naming the stream when the header is
// bad, the body is truncated or corrupt, or the output length differs from
// the header's (never writing more than the header's length); a failing write
// throws out's Error. Whatever was written before a failure stays in out.
void szddExpand(Stream& in, Stream& out);
// Expands SZDD data, or copies anything else unchanged (as LZ32 does).
void expandOrCopy(Stream& in, Stream& out);
// Writes in's remaining bytes as mode-A SZDD. missingChar is the last character
// of the file name that the compressed name replaces with "_" (0 when unknown).
void szddCompress(Stream& in, Stream& out, char missingChar = 0);

// Into a file or file to file (through platform::openFile): the target is
// created or replaced, and deleted again when the operation fails.
void expandOrCopyToFile(Stream& in, std::string_view to);
void expandFileOrCopy(std::string_view from, std::string_view to);
void szddCompressFile(std::string_view from, std::string_view to, char missingChar = 0);

}  // namespace vk
