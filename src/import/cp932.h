#pragma once

#include <QByteArrayView>
#include <QString>

// Text in Windows code page 932, the Japanese code page of the postal-code lists.
namespace import {

// Decodes `bytes` as code page 932 into `out` (replacing its content). ① (0x8740), ～
// (0x8160) and － (0x817C) come out as Windows shows them. False at the first byte sequence
// that is no character of the code page (an unassigned pair, a lone trail byte, a lead byte
// at the end): `out` is then empty.
bool decodeCp932(QByteArrayView bytes, QString& out);

} // namespace import
