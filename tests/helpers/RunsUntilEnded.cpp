// A program that does nothing until it is ended: the old program that the updater tests keep
// running while the updater waits for its file. It ends by itself after the seconds given as
// its one argument, so that a test which fails to end it leaves nothing running for long.
#include <chrono>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::this_thread::sleep_for(std::chrono::seconds(std::atoi(argv[1])));
    return 0;
}
