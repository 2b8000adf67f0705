#pragma once

// Where a plan camera object puts the 3D camera: its place on the plan (tenths of a millimetre,
// the camera's own origin already added), its eye height, its direction (radians) and half its
// angle of view (radians).
struct CameraAim {
    double x = 0.0;
    double y = 0.0;
    double height = 0.0;
    double direction = 0.0;
    double halfAngle = 0.0;
};

// What the document and the camera object need of a 3D view: rendering the scene anew and
// aiming its camera. The 3D view implements it; the document finds it among its views, as it
// finds the plan views.
class C3DViewServices {
  public:
    virtual ~C3DViewServices() = default;

    // Marks the picture out of date; it is rendered once when the current command or message ends.
    virtual void MarkForRender() = 0;
    // Aims the camera as the camera object says; null returns it to the default place.
    virtual void SetCameraFromObject(const CameraAim* aim) = 0;
};
