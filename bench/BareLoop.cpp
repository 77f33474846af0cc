// The yardstick for the game's processor use at rest: a bare GLUT loop, not
// paced in any way, that draws one picture over the whole 800 x 600 window
// and swaps, as fast as the driver lets it. Run from the staged run directory
// (it shows ./img/splash.jpg); bench/rest_cpu.py runs it beside the game.
#include <GL/freeglut.h>
#include <IL/il.h>
#include <IL/ilut.h>

namespace {

GLuint picture = 0;

void draw() {
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, picture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(1, 0);
    glVertex2f(1, -1);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
    glutSwapBuffers();
}

} // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutCreateWindow("Bare loop");
    // DevIL directly, not the game's texture cache: linking that would bring
    // the game's start-up along (its music among it).
    ilInit();
    ilutRenderer(ILUT_OPENGL);
    char path[] = "./img/splash.jpg";
    picture = ilutGLLoadImage(path);
    glutDisplayFunc(draw);
    glutIdleFunc(glutPostRedisplay);
    glutMainLoop();
    return 0;
}
