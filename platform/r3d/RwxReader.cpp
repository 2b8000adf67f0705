#include "platform/r3d/AssetLibrary.h"
#include "platform/r3d/ModelReaders.h"

#include "platform/base/WholeFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <sstream>
#include <vector>

namespace r3d {

namespace {

// Scripts beyond this size are no models the program draws.
constexpr std::size_t kLargestScript = 64 * 1024 * 1024;

// The text script format: one statement per line, keyword first, '#' starts a comment.
// Vertex numbers count from 1 within each clump block; nested blocks are merged into one clump.
class RwxReader {
  public:
    std::unique_ptr<Clump> Read(std::istream& in);

  private:
    struct Block {
        Matrix transform;
        Material surface;
        int firstVertex = 0;  // vertices before this clump block
    };

    bool Statement(const std::string& keyword, const std::vector<std::string>& args);
    bool Face(const std::vector<std::string>& args, std::size_t count, std::size_t start);
    bool SetTexture(const std::vector<std::string>& args);

    std::unique_ptr<Clump> m_clump = std::make_unique<Clump>();
    std::vector<Block> m_blocks;
    std::vector<Block> m_saved;
    bool m_sawClump = false;
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool ToFloat(const std::string& text, float& value) {
    const char* end = text.data() + text.size();
    auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

bool ToInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

bool Floats(const std::vector<std::string>& args, std::size_t start, std::size_t count, float* out) {
    if (args.size() < start + count) {
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (!ToFloat(args[start + i], out[i])) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<Clump> RwxReader::Read(std::istream& in) {
    m_blocks.push_back({});
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::vector<std::string> args;
        for (std::string word; words >> word;) {
            args.push_back(word);
        }
        if (args.empty()) {
            continue;
        }
        std::string keyword = Lower(args.front());
        args.erase(args.begin());
        if (!Statement(keyword, args)) {
            return nullptr;
        }
    }
    if (!m_sawClump || m_clump->VertexCount() == 0) {
        return nullptr;
    }
    return std::move(m_clump);
}

bool RwxReader::Statement(const std::string& keyword, const std::vector<std::string>& args) {
    Block& block = m_blocks.back();
    Material& surface = block.surface;
    float f[16];
    if (keyword == "clumpbegin") {
        m_sawClump = true;
        Block inner = block;
        inner.firstVertex = m_clump->VertexCount();
        m_blocks.push_back(inner);
    } else if (keyword == "clumpend") {
        if (m_blocks.size() < 2) {
            return false;
        }
        m_blocks.pop_back();
    } else if (keyword == "transformbegin" || keyword == "attributebegin") {
        m_saved.push_back(block);
    } else if (keyword == "transformend" || keyword == "attributeend") {
        if (m_saved.empty()) {
            return false;
        }
        Block saved = m_saved.back();
        m_saved.pop_back();
        if (keyword == "transformend") {
            block.transform = saved.transform;
        } else {
            block.surface = saved.surface;
        }
    } else if (keyword == "vertex") {
        float uv[2] = {0, 0};
        if (!Floats(args, 0, 3, f)) {
            return false;
        }
        if (args.size() >= 6 && Lower(args[3]) == "uv" && !Floats(args, 4, 2, uv)) {
            return false;
        }
        m_clump->AddVertex(block.transform.TransformPoint({f[0], f[1], f[2]}), uv[0], uv[1]);
    } else if (keyword == "triangle") {
        return Face(args, 3, 0);
    } else if (keyword == "quad") {
        return Face(args, 4, 0);
    } else if (keyword == "polygon") {
        int count = 0;
        return !args.empty() && ToInt(args[0], count) && count >= 3 && count <= 1024 &&
               Face(args, static_cast<std::size_t>(count), 1);
    } else if (keyword == "color") {
        if (!Floats(args, 0, 3, f)) {
            return false;
        }
        surface.red = std::clamp(f[0], 0.0f, 1.0f);
        surface.green = std::clamp(f[1], 0.0f, 1.0f);
        surface.blue = std::clamp(f[2], 0.0f, 1.0f);
    } else if (keyword == "surface") {
        if (!Floats(args, 0, 3, f)) {
            return false;
        }
        surface.ambient = f[0];
        surface.diffuse = f[1];
        surface.specular = f[2];
    } else if (keyword == "ambient" || keyword == "diffuse" || keyword == "specular" ||
               keyword == "opacity") {
        if (!Floats(args, 0, 1, f)) {
            return false;
        }
        float& target = keyword == "ambient"    ? surface.ambient
                        : keyword == "diffuse"  ? surface.diffuse
                        : keyword == "specular" ? surface.specular
                                                : surface.opacity;
        target = keyword == "opacity" ? std::clamp(f[0], 0.0f, 1.0f) : f[0];
    } else if (keyword == "geometrysampling") {
        if (!args.empty()) {
            surface.style = Lower(args[0]) == "wireframe" ? DrawStyle::Wireframe : DrawStyle::Solid;
        }
    } else if (keyword == "texture") {
        return SetTexture(args);
    } else if (keyword == "identity") {
        block.transform = Matrix();
    } else if (keyword == "transform") {
        if (!Floats(args, 0, 16, f)) {
            return false;
        }
        std::copy(f, f + 16, &block.transform.m[0][0]);
    } else if (keyword == "translate" || keyword == "scale") {
        if (!Floats(args, 0, 3, f)) {
            return false;
        }
        Matrix step = keyword == "translate" ? Matrix::Translation({f[0], f[1], f[2]})
                                             : Matrix::Scaling({f[0], f[1], f[2]});
        block.transform.Apply(step, Combine::Before);
    } else if (keyword == "rotate") {
        if (!Floats(args, 0, 4, f)) {
            return false;
        }
        block.transform.Rotate({f[0], f[1], f[2]}, f[3], Combine::Before);
    }
    // Other statements (model brackets, lighting and texture modes, names) change nothing we draw.
    return true;
}

bool RwxReader::Face(const std::vector<std::string>& args, std::size_t count, std::size_t start) {
    if (args.size() < start + count) {
        return false;
    }
    const Block& block = m_blocks.back();
    std::vector<int> numbers(count);
    const int blockVertices = m_clump->VertexCount() - block.firstVertex;
    for (std::size_t i = 0; i < count; ++i) {
        int number = 0;
        if (!ToInt(args[start + i], number) || number < 1 || number > blockVertices) {
            return false;
        }
        numbers[i] = block.firstVertex + number;
    }
    int tag = 0;
    std::size_t rest = start + count;
    if (args.size() >= rest + 2 && Lower(args[rest]) == "tag" && !ToInt(args[rest + 1], tag)) {
        return false;
    }
    m_clump->AddPolygon(numbers, block.surface, tag);
    return true;
}

// "Texture name [Mask maskname]"; "Texture NULL" clears it. Names may come without ".bmp".
bool RwxReader::SetTexture(const std::vector<std::string>& args) {
    Material& surface = m_blocks.back().surface;
    if (args.empty() || Lower(args[0]) == "null") {
        surface.texture = nullptr;
        return true;
    }
    auto withExtension = [](const std::string& name) {
        return std::filesystem::path(name).has_extension() ? name : name + ".bmp";
    };
    std::string mask;
    if (args.size() >= 3 && Lower(args[1]) == "mask") {
        mask = withExtension(args[2]);
    }
    surface.texture = AssetLibrary::Instance().LoadTexture(withExtension(args[0]), mask);
    return true;
}

}  // namespace

std::unique_ptr<Clump> ReadRwxModel(const std::string& name) {
    std::optional<std::filesystem::path> path = AssetLibrary::Instance().Find(name);
    if (!path) {
        return nullptr;
    }
    const std::optional<std::vector<unsigned char>> bytes = ReadRegularFile(*path, kLargestScript + 1);
    if (!bytes || bytes->size() > kLargestScript) {
        return nullptr;
    }
    return ReadRwxText(std::string(bytes->begin(), bytes->end()));
}

std::unique_ptr<Clump> ReadRwxText(const std::string& text) {
    std::istringstream in(text);
    return RwxReader().Read(in);
}

}  // namespace r3d
