// The player: reads demo.ini, then hands over to the framework.
#include "app/startup.h"

int main() {
    return runPlayer();
}
