#include "formats/format_lists.h"

std::vector<std::string> inputFormats{"pcd"};
std::vector<std::string> outputFormats{"jpg"};
