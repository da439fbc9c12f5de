#include "app/console.h"
#include "app/render.h"
#include "app/selfplay.h"
#include "core/position.h"

int main() {
    setupInitialPosition();
    printBoard();
    runSelfPlay();
    waitForEnter();
    return 0;
}
