#pragma once
// GBK's lead bytes, written out for the tests so that their checks do not lean on the program's
// own rule: 0x81 to 0xFE.
inline bool IsGbkLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x81 && static_cast<unsigned char>(byte) != 0xFF; }
