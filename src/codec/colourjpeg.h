#pragma once

#include "codec/dibrecord.h"

#include <QByteArray>

// Colour JPEGs (three components) decoded row by row straight into the picture.
// The codec library first decodes a whole picture into its own pixels of 16 bits per
// channel, five times the size of the finished picture, and both are alive at once;
// here a photo costs its picture alone. The same decoder library works underneath,
// with the same settings, so the pixels are the same. False for every other file
// (grey or CMYK JPEGs, a file without its end, a failed decode): the caller then
// decodes it as before.
bool readColourJpeg(const QByteArray& data, TDibRecord& out);

// The number of colour components the JPEG's frame header names; 0 when there is none.
int jpegComponents(const QByteArray& data);
