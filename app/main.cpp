#include "app/PurloApplication.h"

int main(int argc, char** argv) {
    return purlo::runPurloApplication(argc, argv);
}
