#pragma once
// The HTML image-map and table source, made from the catalog's file names.
// Pure text work: every fragment byte for byte, CR LF line ends.
#include <string>
#include <vector>

namespace html {

struct HtmlLayout {
  int CellPitch;
  int ColumnCount;
  std::string RadiusText;
  std::string ImageTail;
};

// The "110" layout when smallThumbnails, else the "170" one.
HtmlLayout LayoutFor(bool smallThumbnails);

std::string PageHead();
std::string PageFoot();
std::string WrapInPageText(const std::string& body);

// A name as it may stand inside a quoted attribute or as cell text: `"`, `<`
// and `>` become entities; everything else (non-ASCII letters, blanks, "&")
// is kept.
std::string EscapeName(const std::string& name);

// Circles over the thumbnails of the saved catalog picture imageFile.
std::string MapSource(const std::vector<std::string>& names, const HtmlLayout& layout,
                      const std::string& imageFile);
// Rows of linked thumbnails, each followed by a row of captions (the file
// names in a font of size fontSize); a short last row is filled with empty
// cells.
std::string TableSource(const std::vector<std::string>& names, const HtmlLayout& layout,
                        const std::string& border, const std::string& fontSize);

}  // namespace html
