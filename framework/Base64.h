#pragma once

class OutputFile;

// Decodes base64 text into exactly size bytes, stopping at the first
// character outside the alphabet (padding or terminator); bytes not produced
// stay zero. dest must hold size bytes.
void Base64Decode(const char* text, unsigned char* dest, int size);
// Writes standard padded base64 of the bytes; false when writing failed.
bool Base64Write(OutputFile& file, const unsigned char* data, int size);
