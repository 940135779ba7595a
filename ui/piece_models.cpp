#include "ui/piece_models.h"

#include <GL/freeglut.h>

#include <initializer_list>

#include "board/piece.h"

namespace torvik::ui {
namespace {

// The primitives the shapes are written in.
void Cyl(GLUquadric* q, double base, double top, double height) {
  gluCylinder(q, base, top, height, 10, 8);
}
void Sphere(double r) { glutSolidSphere(r, 10, 8); }
void Torus(double inner, double outer) { glutSolidTorus(inner, outer, 10, 8); }
void Up(float z) { glTranslatef(0, 0, z); }

// A solid box from (-a, -a, 0) to (a, a, h) with outward normals.
void Box(float a, float h) {
  glBegin(GL_QUADS);
  glNormal3f(0, 0, -1);
  glVertex3f(-a, -a, 0); glVertex3f(-a, a, 0); glVertex3f(a, a, 0); glVertex3f(a, -a, 0);
  glNormal3f(0, 0, 1);
  glVertex3f(-a, -a, h); glVertex3f(a, -a, h); glVertex3f(a, a, h); glVertex3f(-a, a, h);
  glNormal3f(-1, 0, 0);
  glVertex3f(-a, -a, 0); glVertex3f(-a, -a, h); glVertex3f(-a, a, h); glVertex3f(-a, a, 0);
  glNormal3f(1, 0, 0);
  glVertex3f(a, -a, 0); glVertex3f(a, a, 0); glVertex3f(a, a, h); glVertex3f(a, -a, h);
  glNormal3f(0, -1, 0);
  glVertex3f(-a, -a, 0); glVertex3f(a, -a, 0); glVertex3f(a, -a, h); glVertex3f(-a, -a, h);
  glNormal3f(0, 1, 0);
  glVertex3f(-a, a, 0); glVertex3f(-a, a, h); glVertex3f(a, a, h); glVertex3f(a, a, 0);
  glEnd();
}

void Pawn(GLUquadric* q) {
  Cyl(q, 0.22, 0.1, 0.65);
  Up(0.6f);
  Sphere(0.14);
}

void Knight(GLUquadric* q) {
  glRotatef(-90, 0, 0, 1);
  Up(0.09f);
  Torus(0.1, 0.2);
  Up(0.1f);
  Torus(0.1, 0.2);
  Up(0.05f);
  glRotatef(10, 0, 1, 0);
  Cyl(q, 0.2, 0.15, 0.7);
  Up(0.65f);
  Sphere(0.16);
  for (float tilt : {25.0f, -25.0f}) {
    glPushMatrix();
    glRotatef(10, 0, 1, 0);
    glRotatef(tilt, 1, 0, 0);
    glTranslatef(0.05f, 0, 0.13f);
    gluCylinder(q, 0.08, 0, 0.15, 5, 4);
    glPopMatrix();
  }
  glRotatef(-110, 0, 1, 0);
  Cyl(q, 0.17, 0.1, 0.3);
  Up(0.3f);
  Sphere(0.1);
}

void Bishop(GLUquadric* q) {
  Cyl(q, 0.22, 0.12, 0.9);
  Up(0.85f);
  glPushMatrix();
  glRotatef(-45, 1, 0, 0);
  Torus(0.05, 0.12);
  glPopMatrix();
  Up(0.125f);
  Sphere(0.1);
}

void Rook(GLUquadric* q) {
  Box(0.25f, 0.1f);
  Up(0.1f);
  Cyl(q, 0.22, 0.16, 0.5);
  Up(0.5f);
  Box(0.2f, 0.1f);
  Up(0.1f);
  glTranslatef(-0.15f, -0.15f, 0.05f);
  glutSolidCube(0.1);
  glTranslatef(0.3f, 0, 0);
  glutSolidCube(0.1);
  glTranslatef(0, 0.3f, 0);
  glutSolidCube(0.1);
  glTranslatef(-0.3f, 0, 0);
  glutSolidCube(0.1);
}

void Queen(GLUquadric* q) {
  Up(0.06f);
  Torus(0.06, 0.23);
  Cyl(q, 0.25, 0.15, 1.0);
  Up(0.9f);
  Torus(0.08, 0.16);
  Up(0.15f);
  Sphere(0.15);
  Up(0.08f);
  glutSolidTorus(0.04, 0.14, 10, 10);
  Up(0.07f);
  glutSolidSphere(0.07, 5, 4);
}

void King(GLUquadric* q) {
  Box(0.27f, 0.1f);
  Up(0.1f);
  Cyl(q, 0.25, 0.15, 0.8);
  Up(0.8f);
  Torus(0.07, 0.14);
  Cyl(q, 0.2, 0, 0.6);
  Up(0.25f);
  glutSolidTorus(0.05, 0.14, 10, 10);
  Up(0.15f);
  glutSolidTorus(0.065, 0.16, 10, 10);
  Up(0.1f);
  glutSolidSphere(0.1, 5, 4);
}

}  // namespace

void DrawPieceShape(int type, GLUquadric* quadric) {
  if (!quadric) return;
  glPushMatrix();
  switch (type) {
    case kPawn: Pawn(quadric); break;
    case kKnight: Knight(quadric); break;
    case kBishop: Bishop(quadric); break;
    case kRook: Rook(quadric); break;
    case kQueen: Queen(quadric); break;
    case kKing: King(quadric); break;
    default: break;
  }
  glPopMatrix();
}

}  // namespace torvik::ui
