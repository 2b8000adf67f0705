#include "tools/datagen/TrainModels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <string>

#include "tools/datagen/StudioChunk.h"

namespace TrainModels {

namespace {

struct Colour {
    const char* name;
    std::uint8_t red, green, blue;
};

constexpr Colour kBlack{"BLACK", 30, 30, 30};
constexpr Colour kFrameGrey{"FRAME", 70, 70, 75};
constexpr Colour kBoilerGreen{"BOILER", 20, 110, 50};
constexpr Colour kCabRed{"CAB", 170, 30, 25};
constexpr Colour kCarBlue{"CARBODY", 40, 80, 160};
constexpr Colour kRoofGrey{"ROOF", 150, 150, 150};

struct Point {
    float x, y, z;
};

// The faces of one model, grouped by material as the file stores them.
class Mesh {
  public:
    // An axis-aligned box between two corners.
    void Box(const Point& low, const Point& high, const Colour& colour) {
        const int first = static_cast<int>(m_points.size());
        for (int i = 0; i < 8; ++i)
            m_points.push_back(
                {(i & 1) ? high.x : low.x, (i & 2) ? high.y : low.y, (i & 4) ? high.z : low.z});
        // Each side counter-clockwise seen from outside.
        static constexpr std::array<std::array<int, 4>, 6> kSides{
            {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}}};
        for (const auto& side : kSides) Quad(first, side, colour);
    }

    // An eight-sided prism along y, from y0 to y1, about the axis at (x, z).
    void Barrel(float x, float z, float radius, float y0, float y1, const Colour& colour) {
        constexpr int kSides = 8;
        const int first = static_cast<int>(m_points.size());
        for (int i = 0; i < kSides; ++i) {
            const double angle = (i + 0.5) * 2.0 * 3.1415926535 / kSides;
            const float dx = radius * static_cast<float>(std::cos(angle));
            const float dz = radius * static_cast<float>(std::sin(angle));
            m_points.push_back({x + dx, y0, z + dz});
            m_points.push_back({x + dx, y1, z + dz});
        }
        for (int i = 0; i < kSides; ++i) {
            const int next = (i + 1) % kSides;
            Quad(first, {2 * i, 2 * next, 2 * next + 1, 2 * i + 1}, colour);
        }
        for (int i = 1; i + 1 < kSides; ++i) {
            Triangle(first, {0, 2 * i, 2 * (i + 1)}, colour);
            Triangle(first, {1, 2 * (i + 1) + 1, 2 * i + 1}, colour);
        }
    }

    std::vector<std::uint8_t> Serialise(const char* objectName) const;

  private:
    struct Face {
        std::array<int, 3> corners;
        const Colour* colour;
    };

    void Quad(int first, const std::array<int, 4>& corners, const Colour& colour) {
        Triangle(first, {corners[0], corners[1], corners[2]}, colour);
        Triangle(first, {corners[0], corners[2], corners[3]}, colour);
    }
    void Triangle(int first, const std::array<int, 3>& corners, const Colour& colour) {
        m_faces.push_back({{first + corners[0], first + corners[1], first + corners[2]}, &colour});
    }

    std::vector<Point> m_points;
    std::vector<Face> m_faces;
};

StudioChunk MaterialChunk(const Colour& colour) {
    StudioChunk material(0xAFFF);
    material.Add(StudioChunk(0xA000).Text(colour.name));
    material.Add(
        StudioChunk(0xA020).Add(StudioChunk(0x0011).U8(colour.red).U8(colour.green).U8(colour.blue)));
    return material;
}

std::vector<std::uint8_t> Mesh::Serialise(const char* objectName) const {
    std::vector<const Colour*> colours;
    for (const Face& face : m_faces)
        if (std::find(colours.begin(), colours.end(), face.colour) == colours.end())
            colours.push_back(face.colour);
    StudioChunk vertices(0x4110);
    vertices.U16(static_cast<std::uint16_t>(m_points.size()));
    for (const Point& p : m_points) vertices.F32(p.x).F32(p.y).F32(p.z);
    StudioChunk faces(0x4120);
    faces.U16(static_cast<std::uint16_t>(m_faces.size()));
    for (const Face& face : m_faces) {
        for (int corner : face.corners) faces.U16(static_cast<std::uint16_t>(corner));
        faces.U16(7);
    }
    for (const Colour* colour : colours) {
        StudioChunk group(0x4130);
        group.Text(colour->name);
        std::vector<std::uint16_t> members;
        for (std::size_t i = 0; i < m_faces.size(); ++i)
            if (m_faces[i].colour == colour)
                members.push_back(static_cast<std::uint16_t>(i));
        group.U16(static_cast<std::uint16_t>(members.size()));
        for (std::uint16_t member : members) group.U16(member);
        faces.Add(group);
    }
    StudioChunk mesh(0x4100);
    mesh.Add(vertices).Add(faces);
    StudioChunk object(0x4000);
    object.Text(objectName).Add(mesh);
    StudioChunk editor(0x3D3D);
    editor.Add(StudioChunk(0x3D3E).U16(3));
    for (const Colour* colour : colours) editor.Add(MaterialChunk(*colour));
    editor.Add(object);
    StudioChunk main(0x4D4D);
    main.Add(StudioChunk(0x0002).U16(3)).Add(editor);
    return main.Serialise();
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    return static_cast<bool>(
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())));
}

}  // namespace

std::vector<std::uint8_t> Locomotive() {
    Mesh mesh;
    mesh.Box({-0.5f, -4.6f, 0.0f}, {0.5f, 4.6f, 0.35f}, kBlack);
    mesh.Box({-0.6f, -5.0f, 0.35f}, {0.6f, 5.0f, 0.8f}, kFrameGrey);
    mesh.Barrel(0.0f, 1.3f, 0.5f, -1.5f, 4.8f, kBoilerGreen);
    mesh.Box({-0.15f, 3.6f, 1.7f}, {0.15f, 4.2f, 2.3f}, kBlack);
    mesh.Box({-0.6f, -4.8f, 0.8f}, {0.6f, -1.5f, 2.4f}, kCabRed);
    mesh.Box({-0.7f, -5.0f, 2.4f}, {0.7f, -1.3f, 2.6f}, kBlack);
    return mesh.Serialise("LOCO");
}

std::vector<std::uint8_t> Car() {
    Mesh mesh;
    mesh.Box({-0.6f, -5.0f, 0.0f}, {0.6f, 5.0f, 0.5f}, kBlack);
    mesh.Box({-0.6f, -4.8f, 0.5f}, {0.6f, 4.8f, 2.2f}, kCarBlue);
    mesh.Box({-0.65f, -4.9f, 2.2f}, {0.65f, 4.9f, 2.4f}, kRoofGrey);
    return mesh.Serialise("CAR");
}

bool WriteAll(const std::filesystem::path& root) {
    std::error_code error;
    std::filesystem::create_directories(root / "TRAINS", error);
    const bool loco = WriteFile(root / "TRAINS" / "cvnloco.3ds", Locomotive());
    const bool car = WriteFile(root / "TRAINS" / "cvncar.3ds", Car());
    return loco && car;
}

}  // namespace TrainModels
