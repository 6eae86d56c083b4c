// Page templates are taken only for the dictionary's own domain.
#include <gtest/gtest.h>

#include <string>

#include "state/PageTemplates.h"
#include "lookup/TemplateCheck.h"

using namespace qlx;

TEST(TemplateCheck, OnlyTheDictionarysDomainAndNamesUnderIt) {
    for (const char* ok :
         {"http://lemmary.dk/", "http://www.lemmary.dk/#ordbog/", "https://ordbog.lemmary.dk/x",
          "gcf:http://www.lemmary.dk/ordbog/", "HTTP://WWW.LEMMARY.DK/",
          "http://a.b.lemmary.dk:8080/", "http://www.lemmary.dk?q=", "http://www.lemmary.dk#x"})
        EXPECT_TRUE(isDictionaryTemplate(ok)) << ok;
    for (const char* bad :
         {"http://evil.example/#ordbog/", "http://127.0.0.1/", "http://xlemmary.dk/",
          "http://lemmary.dk.evil.example/", "http://www.lemmary.dk@evil.example/",
          "http://evil.example/www.lemmary.dk/", "http://evil.example#.lemmary.dk",
          "http://www.lemmary.dk/\"--x\"", "http://.lemmary.dk/x", "file://www.lemmary.dk/x",
          "gcf:file://www.lemmary.dk/", "http://www.lemmary.dk./", "http://lemmary.dk.:80/", "",
          // Ending at the host, the search text would carry on the host name.
          "http://www.lemmary.dk", "https://lemmary.dk:8080", "gcf:http://www.lemmary.dk"})
        EXPECT_FALSE(isDictionaryTemplate(bad)) << bad;
}

TEST(TemplateCheck, TheDefaultsLieInTheDomain) {
    const PageTemplates t = PageTemplates::defaults();
    for (const std::string& each :
         {t.LookupModern, t.LookupGCF, t.ProgramPageModern, t.ProgramPageGCF})
        EXPECT_TRUE(isDictionaryTemplate(each)) << each;
}
