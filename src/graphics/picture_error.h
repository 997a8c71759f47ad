#pragma once
// The error every picture loader and saver raises: one readable line.
#include <stdexcept>
#include <string>

namespace graphics {

class PictureError : public std::runtime_error {
 public:
  explicit PictureError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace graphics
