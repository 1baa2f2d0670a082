// Context for the command-line figure: a program that only loads Qt Core and does nothing.

#include <QString>

int main(int argc, char**) {
    return static_cast<int>(QString::number(argc).size()) - 1;
}
