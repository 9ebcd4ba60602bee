#include "main/Program.h"

int main() {
    return nebulark::RunNebulark();
}
