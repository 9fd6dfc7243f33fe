#pragma once

#include <cairo.h>

#include <string>

// Writers for the formats the game decodes. Each takes a finished ARGB32
// cairo surface (premultiplied alpha) and returns false on failure.
bool writePng(cairo_surface_t* surface, const std::string& path);
bool writeJpeg(cairo_surface_t* surface, const std::string& path, int quality = 90);
bool writeTga(cairo_surface_t* surface, const std::string& path);  // 32-bit, uncompressed
bool writeBmp(cairo_surface_t* surface, const std::string& path);  // 24-bit

// Writes to path in the format that formatName's extension names, whatever
// path itself is called (resource files carry pictures under ".dat").
bool writeInFormatOf(cairo_surface_t* surface, const std::string& path, const std::string& formatName);

// Chooses the writer by the path's own extension.
bool writeByExtension(cairo_surface_t* surface, const std::string& path);
