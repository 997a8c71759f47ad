#include "html/html_source.h"

namespace html {
namespace {

const char kMapStart[] = "<MAP NAME=\"ndx\">\r\n";
const char kAreaStart[] = "<AREA SHAPE=CIRCLE COORDS=\"";
const char kCoordSeparator[] = ",";
const char kAreaLink[] = " HREF=\"";
const char kAreaEnd[] = "\">\r\n";
const char kMapEnd[] = "</MAP>\r\n";
const char kImageStart[] = "<IMG SRC=\"";
const char kImageEnd[] = "\" ALIGN=BOTTOM USEMAP=\"#ndx\">\r\n";
const char kTableStart[] = "<CENTER>\r\n<TABLE BORDER=";
const char kTableStartEnd[] = ">\r\n";
const char kRowStart[] = "\r\n<TR>\r\n";
const char kEmptyCell[] = "<TD><BR></TD>";
const char kRowEnd[] = "</TR>\r\n";
const char kPictureCellStart[] = "<TD><A HREF=\"";
const char kPictureCellMiddle[] = "\"><IMG SRC=\"";
const char kTableEnd[] = "</TABLE>\r\n</CENTER>\r\n";

// One row: the waiting cells, then empty cells up to the column count.
void WriteRow(std::string& out, const std::vector<std::string>& cells, int waiting, int columns) {
  out += kRowStart;
  for (int i = 0; i < columns; ++i) out += i < waiting ? cells[i] : std::string(kEmptyCell);
  out += kRowEnd;
}

}  // namespace

HtmlLayout LayoutFor(bool smallThumbnails) {
  if (smallThumbnails) return {110, 8, ",50\"", "\" WIDTH=100 HEIGHT=100></A>\r\n"};
  return {175, 5, ",85\"", "\" WIDTH=170 HEIGHT=170></A>\r\n"};
}

std::string PageHead() {
  return std::string("<HTML>\r\n<HEAD>\r\n") +
         "<META http-equiv=\"Content-Type\" content=\"text/html\";CHRSET=\"x-sjis\">" +
         "\r\n<META NAME=\"Keywords\"  CONTENT=\"\">" +
         "\r\n<META NAME=\"description\"  CONTENT=\"\">\r\n" +
         "<TITLE>無題</TITLE>\r\n</HEAD>\r\n" +
         "<BODY BGCOLOR=#FFFFF0 TEXT=#0000FF LINK=#FF0000 VlINK=#000000>\r\n\r\n";
}

std::string PageFoot() { return "</BODY>\r\n</HTML>\r\n"; }

std::string WrapInPageText(const std::string& body) { return PageHead() + body + PageFoot(); }

std::string EscapeName(const std::string& name) {
  std::string out;
  out.reserve(name.size());
  for (char c : name) {
    switch (c) {
      case '"': out += "&quot;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string MapSource(const std::vector<std::string>& names, const HtmlLayout& layout,
                      const std::string& imageFile) {
  std::string out = kMapStart;
  const int half = layout.CellPitch / 2;
  const int count = static_cast<int>(names.size());
  for (int i = 0; i < count; ++i) {
    const int x = (i % layout.ColumnCount) * layout.CellPitch + half;
    const int y = (i / layout.ColumnCount) * layout.CellPitch + half;
    out += kAreaStart;
    out += std::to_string(x);
    out += kCoordSeparator;
    out += std::to_string(y);
    out += layout.RadiusText;
    out += kAreaLink;
    out += EscapeName(names[i]);
    out += kAreaEnd;
  }
  out += kMapEnd;
  out += kImageStart;
  out += EscapeName(imageFile);
  out += kImageEnd;
  return out;
}

std::string TableSource(const std::vector<std::string>& names, const HtmlLayout& layout,
                        const std::string& border, const std::string& fontSize) {
  const int columns = layout.ColumnCount;
  std::string out = kTableStart + border + kTableStartEnd;
  std::vector<std::string> pictureRow(columns), captionRow(columns);
  int waiting = 0;
  auto flush = [&] {
    WriteRow(out, pictureRow, waiting, columns);
    WriteRow(out, captionRow, waiting, columns);
    waiting = 0;
  };
  for (const std::string& raw : names) {
    const std::string name = EscapeName(raw);
    pictureRow[waiting] = kPictureCellStart + name + kPictureCellMiddle + name + layout.ImageTail;
    captionRow[waiting] = "<TD><FONT SIZE=" + fontSize + ">" + name + "</FONT></TD>\r\n";
    if (++waiting == columns) flush();
  }
  if (waiting > 0) flush();
  out += kTableEnd;
  return out;
}

}  // namespace html
