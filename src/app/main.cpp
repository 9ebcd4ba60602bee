#include "app/Program.h"

int main() {
    return nebulark::RunNebulark();
}
