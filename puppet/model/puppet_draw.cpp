// Drawing parts as textured fans. The picture corners are not transformed by any matrix: they are
// placed by distance from the frame, so whatever the physics did to the frame, the picture follows.

#include "puppet.h"

#include <GL/gl.h>

void PuppetPart::draw(float z, float alpha) {
    placePicture();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, texture);
    // One fan in file order: triangles (0, 1, 2) and (0, 2, 3).
    glBegin(GL_TRIANGLE_FAN);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    for (const PictureCorner& corner : corners) {
        glTexCoord2f(corner.u, corner.v);
        glVertex3f(corner.x, corner.y, z);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnd();
}

void Puppet::draw(float z, float alpha) {
    for (PuppetPart& part : parts) part.draw(z, alpha);
}
