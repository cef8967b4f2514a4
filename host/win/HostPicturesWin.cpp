// The board pictures are drawn with Cairo, which the Windows build does not have.

#include "HostPictures.h"

bool SaveBoardPicture(const std::vector<TBoardPicture>&, const std::string&, std::string& error) {
  error = "board pictures are not available in the Windows build";
  return false;
}
