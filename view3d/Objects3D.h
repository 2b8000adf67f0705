#pragma once

// Makes the camera, 3D object and 3D bitmap tools create their objects.
void Register3DObjects();
