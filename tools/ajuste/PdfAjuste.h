#pragma once
// The HTML report printed to PDF through Qt (A4, 2 cm margins), as bytes.
#include <string>

std::string PdfDoHtml(const std::string& htmlUtf8);
