// A conversion context with its own settings, templates and silent answers,
// for running stages outside the main window.
#pragma once

#include "output/Templates.h"
#include "pipeline/ConversionContext.h"
#include "platform/ScriptedQuestions.h"

struct BenchContext {
    pm::Settings settings;
    pm::DocValues doc;
    pm::Templates templates;
    pm::Texts texts;
    pm::NullStatusSink status;
    pm::ScriptedQuestions questions;
    pm::OutputFiles files;
    pm::ConversionContext ctx{settings, doc, templates, texts, status, questions, files};
};
