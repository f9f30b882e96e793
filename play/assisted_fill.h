#pragma once

void fillInSolution();
void fillInEasySquares();
