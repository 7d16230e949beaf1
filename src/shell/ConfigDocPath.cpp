#include "shell/ConfigDocPath.h"

namespace fretlo {

std::string ExpandDocPath(std::string_view path, std::string_view documents) {
    if (path == DocToken) return std::string(documents);
    if (path.size() > DocToken.size() && path.starts_with(DocToken)) {
        const char separator = path[DocToken.size()];
        if (separator == '/' || separator == '\\') {
            if (documents.empty()) return {};
            return std::string(documents) + "/" + std::string(path.substr(DocToken.size() + 1));
        }
    }
    return std::string(path);
}

std::string CollapseDocPath(std::string_view path, std::string_view documents) {
    if (documents.empty()) return std::string(path);
    if (path == documents) return std::string(DocToken);
    if (path.size() > documents.size() + 1 && path.starts_with(documents) && path[documents.size()] == '/')
        return std::string(DocToken) + "/" + std::string(path.substr(documents.size() + 1));
    return std::string(path);
}

}  // namespace fretlo
